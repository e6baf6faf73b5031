#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "jigfw/TUPDATE_FORM.h"
#include "support/QtWait.h"
#include "ui/ScriptedDialogs.h"

namespace {

class UpdateFormTest : public ::testing::Test {
 protected:
  qjig::ui::ScriptedDialogs dialogs;
  qjig::TUPDATE_FORM form{dialogs};
};

TEST_F(UpdateFormTest, ExitClearsTheLinesDisablesItselfAndHidesTheWindow) {
  form.show();
  form.Memo_UPDATE->appendPlainText("Flashing M88 error!");
  form.SpeedButton_UPD_EXIT->setEnabled(true);
  form.SpeedButton_UPD_EXIT->click();
  EXPECT_TRUE(form.Memo_UPDATE->toPlainText().isEmpty());
  EXPECT_FALSE(form.SpeedButton_UPD_EXIT->isEnabled());
  EXPECT_FALSE(form.isVisible());
}

TEST_F(UpdateFormTest, TheResetPromptAppearsOnceAfterItsTimerRanOut) {
  form.TimerMSG->start();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return !dialogs.Messages().empty(); }));
  QTest::qWait(400);  // long enough for a second prompt, were the timer repeating
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].kind, qjig::ui::MessageKind::Information);
  EXPECT_EQ(dialogs.Messages()[0].text, " Please press the reset button on the JIG!");
  EXPECT_FALSE(form.TimerMSG->isActive());
}

}  // namespace
