// What the firmware switch asks of the windows, from its own thread.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <thread>

#include "ProgramOnBench.h"
#include "app/SwitchWindowsPort.h"
#include "app/TForm1.h"
#include "jigfw/TUPDATE_FORM.h"
#include "support/QtWait.h"
#include "ui/Gauge.h"

namespace {

using testsupport::WaitUntil;

class SwitchWindowsPortTest : public ::testing::Test {
 protected:
  testsupport::ProgramOnBench program{""};
  qjig::TForm1& form1 = *program.Windows().Form1;
  qjig::TUPDATE_FORM& update = *program.Windows().UPDATE_FORM;
  qjig::SwitchWindowsPort port{form1, update, program.Context().bootTimedOut};
};

TEST_F(SwitchWindowsPortTest, RequestsFromTheWorkerReachTheWindowsInOrder) {
  std::thread worker([this] {
    port.ShowUpdateWindow();
    port.SetGaugeMax(0x17FF);
    for (int i = 0; i < 200; ++i) {
      port.AddLine("line " + std::to_string(i));
      port.SetGaugePosition(i * 16);
    }
    port.AddLine("отправлено EOF корректно");
    port.EnableExit();
    port.HideUpdateWindow();
    port.RequestModeWindow();
  });
  worker.join();
  ASSERT_TRUE(WaitUntil([&] { return form1.Timer_RUN->isActive(); }));
  const QStringList lines = update.Memo_UPDATE->toPlainText().split('\n');
  ASSERT_EQ(lines.size(), 201);
  for (int i = 0; i < 200; ++i) ASSERT_EQ(lines[i], QString("line %1").arg(i));
  EXPECT_EQ(lines.back(), "отправлено EOF корректно");
  EXPECT_EQ(update.CGauge_UPD->MaxValue(), 0x17FF);
  EXPECT_EQ(update.CGauge_UPD->Progress(), 199 * 16);
  EXPECT_TRUE(update.SpeedButton_UPD_EXIT->isEnabled());
  EXPECT_FALSE(update.isVisible());
}

TEST_F(SwitchWindowsPortTest, TheBootLimitStartsClearedAndIsSetByTheMainWindowsTimer) {
  program.Context().bootTimedOut = true;  // left over from an earlier switch
  std::thread([this] { port.StartBootTimeLimit(); }).join();
  EXPECT_FALSE(port.BootTimedOut());
  ASSERT_TRUE(WaitUntil([&] { return form1.Timer_5SEC->isActive(); }));
  form1.Timer_5SECTimer();
  EXPECT_TRUE(port.BootTimedOut());
  EXPECT_FALSE(form1.Timer_5SEC->isActive());
}

TEST_F(SwitchWindowsPortTest, AFailedVersion3UpdateBringsTheMainWindowBackAndPromptsForReset) {
  form1.hide();
  std::thread([this] {
    port.StartResetPrompt();
    port.ShowMainWindow();
  }).join();
  ASSERT_TRUE(WaitUntil([&] { return form1.isVisible(); }));
  ASSERT_TRUE(WaitUntil([&] { return !program.Dialogs().Messages().empty(); }));
  EXPECT_EQ(program.Dialogs().Messages()[0].text, " Please press the reset button on the JIG!");
}

}  // namespace
