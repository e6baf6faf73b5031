// Start in the main window, and the way to a mode window and back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <optional>

#include "ProgramOnBench.h"
#include "app/ModeTable.h"
#include "app/TForm1.h"
#include "jigfw/TUPDATE_FORM.h"
#include "support/QtWait.h"

namespace {

using qjig::ui::MessageKind;
using testsupport::ProgramOnBench;
using testsupport::WaitUntil;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(StartTest, RefusedStartsShowTheirDialogAndLeaveNoWorkerNorOpenLink) {
  struct Case {
    const char* name;
    const char* bench;
    const char* mode;
    std::optional<MessageKind> dialog;
    QString text;
    const char* logged;  // in the start log; null: no log at all
  };
  const Case cases[] = {
      {"prompt item", "[jig]\nfirmware = NPCE\n", "Please select ", std::nullopt, "", nullptr},
      {"no jig", "", "ENE KB90XX", MessageKind::Error, "JIG not connected to the USB port!",
       "Error numDevs = 0"},
      {"unplugged jig", "[jig]\nfirmware = NPCE\nplugged = no\n", "NUVOTON spi", MessageKind::Error,
       "JIG not connected to the USB port!", "Error numDevs = 0"},
      {"version-3 jig", "[jig]\nfirmware = M328_EPM240\n", "ITE", MessageKind::Information,
       "Sorry. \nFor JIG version 3 please use programm version 5.XX or higher!", "M328_EPM240_v19"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProgramOnBench program(c.bench);
    auto& form1 = *program.Windows().Form1;
    program.Start(c.mode);

    const auto& shown = program.Dialogs().Messages();
    ASSERT_EQ(shown.size(), c.dialog ? 1u : 0u);
    if (c.dialog) {
      EXPECT_EQ(shown[0].kind, *c.dialog);
      EXPECT_EQ(shown[0].text, c.text);
    }
    const std::string log = program.StartLog();
    if (c.logged) {
      EXPECT_TRUE(Contains(log, c.logged)) << log;
    } else {
      EXPECT_EQ(log, "");
    }
    EXPECT_FALSE(Contains(log, "ReadThread_UPD start"));
    EXPECT_FALSE(form1.SwitchRunning());
    EXPECT_FALSE(program.Context().startLink.IsOpen());
    EXPECT_TRUE(form1.isVisible());
    EXPECT_FALSE(program.Windows().UPDATE_FORM->isVisible());
  }
}

TEST(StartTest, AJigWithTheRightFirmwareOpensTheModeWindowAndExitComesBack) {
  struct Case {
    const char* mode;
    const char* firmware;
    const char* window;
    const char* exit;
    QStringList lines;
  };
  const Case cases[] = {
      {"Keyboard testing", "ENE_EDID_KB", "Keyboard_testing", "EXIT_KB_TEST",
       {"Current version of FW -> ENE_EDID_KB_V3.7", "User select -> Keyboard testing"}},
      {"NUVOTON spi", "NPCE", "NPCE_FORM", "EXIT_NPCE",
       {"Current version of FW -> M88_NPCE288_V2.4", "User select -> NUVOTON spi"}},
      {"NUVOTON jtag", "NPCE", "Form_NUVOTON_JTAG", "BitBtn_EXIT_NUV",
       {"Current version of FW -> M88_NPCE288_V2.4", "User select -> NUVOTON jtag"}},
      {"ENE KB90XX", "ENE_EDID_KB", "KB901X_forms", "EXIT_KB901X",
       {"Current version of FW -> ENE_EDID_KB_V3.7", "User select -> ENE KB90XX"}},
      {"MEC jtag", "V42", "MEC16_Form", "EXIT_MEC16",
       {"Current version of FW -> M88_JTAG_MEC_V42", "User select -> MEC jtag"}},
      // A version-3 jig that is already up to date goes straight through.
      {"MEC jtag", "M328_EPM240", "MEC16_Form", "EXIT_MEC16", {}},
      {"EDID lcd", "ENE_EDID_KB", "EDID_form", "EXIT_EDID",
       {"Current version of FW -> ENE_EDID_KB_V3.7", "User select -> EDID lcd"}},
      {"ITE", "ITE2", "ITE_FORM", "ITE_EXIT_BitBtn",
       {"Current version of FW -> ITE2_PROJ_M88_V1.9", "User select -> ITE"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " on " + c.firmware);
    ProgramOnBench program(std::string("[jig]\nfirmware = ") + c.firmware + "\n");
    auto& windows = program.Windows();
    QWidget* modeWindow = qjig::ModeWindowFor(windows, c.mode);
    ASSERT_NE(modeWindow, nullptr);
    ASSERT_EQ(modeWindow->objectName(), c.window);

    program.Start(c.mode);
    ASSERT_TRUE(WaitUntil([&] { return modeWindow->isVisible(); }));
    EXPECT_FALSE(windows.Form1->isVisible());
    EXPECT_FALSE(windows.UPDATE_FORM->isVisible());
    EXPECT_EQ(program.UpdateLines(), c.lines);
    EXPECT_TRUE(program.Dialogs().Messages().empty());
    ASSERT_TRUE(WaitUntil([&] { return !windows.Form1->SwitchRunning(); }));
    EXPECT_FALSE(program.Context().startLink.IsOpen());
    const std::string log = program.StartLog();
    EXPECT_TRUE(Contains(log, "ReadThread_UPD start ... \r\n")) << log;
    EXPECT_TRUE(Contains(log, std::string("User select -> ") + c.mode + "\r\nGo to application. End.\r\n")) << log;

    auto* exit = modeWindow->findChild<QPushButton*>(c.exit);
    ASSERT_NE(exit, nullptr);
    exit->click();
    EXPECT_TRUE(windows.Form1->isVisible());
    EXPECT_FALSE(modeWindow->isVisible());
    EXPECT_EQ(windows.Form1->MAIN_SELECTOR->currentText(), c.mode);
  }
}

TEST(StartTest, TheBootLimitEndsASwitchWaitingForTheBootloaderAndStartIsRefusedMeanwhile) {
  // A jig that does not answer is taken for one stuck in its bootloader: the
  // switch waits for the user to press the reset button.
  ProgramOnBench program("[jig]\nfirmware = NPCE\nfault = silent\n");
  auto& form1 = *program.Windows().Form1;
  auto& update = *program.Windows().UPDATE_FORM;
  program.Start("ITE");
  ASSERT_TRUE(WaitUntil([&] { return form1.Timer_5SEC->isActive(); }));
  EXPECT_TRUE(update.isVisible());
  EXPECT_TRUE(form1.SwitchRunning());

  const std::string logBefore = program.StartLog();
  program.Start("ITE");
  EXPECT_EQ(program.StartLog(), logBefore);

  form1.Timer_5SECTimer();  // as if the five seconds were up
  ASSERT_TRUE(WaitUntil([&] { return update.SpeedButton_UPD_EXIT->isEnabled(); }));
  EXPECT_EQ(program.UpdateLines(), (QStringList{"Current version of FW -> FTDI found, ERROR answer",
                                                "User select -> ITE", "*** PLEASE PUSH RESET BUTTON ! ***",
                                                "You did not press the reset button or error response BOOT_loader"}));
  EXPECT_TRUE(update.isVisible());
  EXPECT_TRUE(form1.isVisible());
  ASSERT_TRUE(WaitUntil([&] { return !form1.SwitchRunning(); }));
  EXPECT_FALSE(program.Context().startLink.IsOpen());

  // Start works again, and clears the update window first.
  program.Start("ITE");
  ASSERT_TRUE(WaitUntil([&] { return form1.Timer_5SEC->isActive(); }));
  EXPECT_EQ(program.UpdateLines().size(), 3);
}

TEST(StartTest, StoppingTheProgramEndsASwitchThatWaitsForTheBootloader) {
  ProgramOnBench program("[jig]\nfirmware = NPCE\nfault = silent\n");
  auto& form1 = *program.Windows().Form1;
  program.Start("NUVOTON spi");
  ASSERT_TRUE(WaitUntil([&] { return form1.Timer_5SEC->isActive(); }));
  EXPECT_TRUE(form1.StopSwitch(std::chrono::seconds(10)));
  EXPECT_FALSE(form1.SwitchRunning());
  EXPECT_FALSE(program.Context().startLink.IsOpen());
}

}  // namespace
