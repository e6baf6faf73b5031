#include <gtest/gtest.h>

#include "ui/QtDialogs.h"
#include "ui/ScriptedDialogs.h"

namespace {

using qjig::ui::FileDialogRequest;
using qjig::ui::MessageKind;
using qjig::ui::ScriptedDialogs;

TEST(ScriptedDialogsTest, RecordsEveryMessageWithItsKindInOrder) {
  ScriptedDialogs dialogs;
  dialogs.Error("JIG not connected to the USB port!");
  dialogs.Information(" Please press the reset button on the JIG!");
  ASSERT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_EQ(dialogs.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(dialogs.Messages()[0].text, "JIG not connected to the USB port!");
  EXPECT_EQ(dialogs.Messages()[1].kind, MessageKind::Information);
  EXPECT_EQ(dialogs.Messages()[1].text, " Please press the reset button on the JIG!");
}

TEST(ScriptedDialogsTest, FileDialogsTakeTheQueuedAnswersThenCancel) {
  ScriptedDialogs dialogs;
  dialogs.QueueFileAnswer("/tmp/a.bin");
  dialogs.QueueFileAnswer(std::nullopt);
  dialogs.QueueFileAnswer("/tmp/b.bin");
  const FileDialogRequest save{"Save file", "BIN file KB90XX (*.bin)|*.bin", "/tmp"};
  const FileDialogRequest open{"", "BIN file NPCE (*.bin)|*.bin|other|*.*", ""};
  EXPECT_EQ(dialogs.SaveFile(save), "/tmp/a.bin");
  EXPECT_EQ(dialogs.OpenFile(open), std::nullopt);
  EXPECT_EQ(dialogs.OpenFile(open), "/tmp/b.bin");
  EXPECT_EQ(dialogs.SaveFile(save), std::nullopt);  // the queue is empty
  ASSERT_EQ(dialogs.FileRequests().size(), 4u);
  EXPECT_EQ(dialogs.FileRequests()[0].title, "Save file");
  EXPECT_EQ(dialogs.FileRequests()[1].filter, open.filter);
}

TEST(ScriptedDialogsTest, TheCommandLinesDialogsPrintEachTextOnStderr) {
  ScriptedDialogs dialogs(ScriptedDialogs::Echo::ToStderr);
  testing::internal::CaptureStderr();
  dialogs.Information("Sorry. \nFor JIG version 3 please use programm version 5.XX or higher!");
  dialogs.Error("JIG not connected to the USB port!");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Sorry. \nFor JIG version 3 please use programm version 5.XX or higher!\n"
            "JIG not connected to the USB port!\n");
}

TEST(QtFileFilterTest, DesignedFiltersBecomeQtFilters) {
  struct Case {
    const char* design;
    const char* qt;
  };
  const Case cases[] = {
      {"BIN file KB90XX (*.bin)|*.bin", "BIN file KB90XX (*.bin)"},
      {"BIN file NPCE (*.bin)|*.bin|other|*.*", "BIN file NPCE (*.bin);;other (*.*)"},
      {"Images|*.png;*.jpg", "Images (*.png *.jpg)"},
  };
  for (const Case& c : cases) EXPECT_EQ(qjig::ui::QtFileFilter(c.design), c.qt) << c.design;
}

}  // namespace
