// The wiring help of the KB90xx window: the connection base as the list
// offers it, and the label for a motherboard, a cable size and orientation.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "Kb90Window.h"
#include "app/TForm1.h"
#include "modes/ene/TKB901X_forms.h"
#include "ui/WindowSetUp.h"

namespace {

using testsupport::Kb90Window;

const char* const kEneJig = "[jig]\nfirmware = ENE_EDID_KB\ntarget = kb9012\n";

// CR LF line ends, a stray CR inside a line, an empty line, and a last
// line without its LF.
const std::string kBase =
    "Twice KSO3=4 KSI4=5 KSI5=6 KSI6=7 KSI7=8 KSO3=9\r\n"
    "Comma KSO3=4, KSI4=5 KSI5=6 KSI6=7 KSI7=8\r\n"
    "\r\n"
    "Edge KSO3=30 KSI4=1 KSI5=2 KSI6=3 KSI7=12\r\n"
    "Stray\rCR KSI7=3 KSI6=4 KSI5=5 KSI4=6 KSO3=7\r\n"
    "No KSI7 here KSO3=1 KSI4=2 KSI5=3 KSI6=4\r\n"
    "Tail KSO3=1 KSI4=2 KSI5=3 KSI6=4 KSI7=5";

TEST(Kb90Wiring, TheListOffersTheAdapterAndEveryLfEndedLineOfTheBase) {
  Kb90Window program(kEneJig, kBase);
  const QComboBox& boards = *program.Window().ComboBox_KB901X;
  QStringList entries;
  for (int i = 0; i < boards.count(); ++i) entries << boards.itemText(i);
  EXPECT_EQ(entries, (QStringList{"External board - BRIMEX", "Twice KSO3=4 KSI4=5 KSI5=6 KSI6=7 KSI7=8 KSO3=9",
                                  "Comma KSO3=4, KSI4=5 KSI5=6 KSI6=7 KSI7=8", "",
                                  "Edge KSO3=30 KSI4=1 KSI5=2 KSI6=3 KSI7=12",
                                  "StrayCR KSI7=3 KSI6=4 KSI5=5 KSI4=6 KSO3=7",
                                  "No KSI7 here KSO3=1 KSI4=2 KSI5=3 KSI6=4"}));
  EXPECT_EQ(boards.currentText(), "Select MB or BRIMEX here");
  EXPECT_EQ(program.Window().Label_result->text(), "");
}

TEST(Kb90Wiring, TheLabelNamesTheCablePinOfEachWire) {
  struct Case {
    const char* name;
    int board;          // 0: no motherboard chosen
    const char* cable;  // null: no size chosen
    bool reversed;
    bool cableFirst;  // the size is chosen before the motherboard
    QString label;    // "before": the label keeps what it showed
    QString dialog;   // the error report, if any
  };
  const Case cases[] = {
      {"a key given twice counts where it first stands", 1, "30 pin", false, false,
       "Please connect GND and:  A4 B5 C8 D7 E6", ""},
      {"a one-digit value before a comma is no number", 2, "30 pin", false, false, "before",
       "Wrong number in the connection base: '4,'"},
      {"an empty line has no keys", 3, "30 pin", false, false, "Error data format!", ""},
      {"a key missing", 6, "30 pin", false, false, "Error data format!", ""},
      {"a pin equal to the cable size fits", 4, "30 pin", false, false,
       "Please connect GND and:  A30 B1 C12 D3 E2", ""},
      {"a pin one above the cable size does not", 4, "28 pin", false, false, "Please select big pins FFC!", ""},
      {"a reversed cable counts from the other end", 4, "30 pin", true, false,
       "Please connect GND and:  A1 B30 C19 D28 E29", ""},
      {"keys in another order, a stray CR dropped", 5, "18 pin", false, false,
       "Please connect GND and:  A7 B6 C3 D4 E5", ""},
      {"the size first: the wiring comes with the motherboard", 1, "20 pin", false, true,
       "Please connect GND and:  A4 B5 C8 D7 E6", ""},
      {"the box clicked without a size changes nothing", 1, nullptr, true, false, "before", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Kb90Window program(kEneJig, kBase);
    qjig::TKB901X_forms& window = program.Window();
    window.Label_result->setText("before");
    const int cable = c.cable ? window.ComboBox_KB901X_FFC->findText(c.cable) : -1;
    if (c.cableFirst) {
      Kb90Window::Choose(*window.ComboBox_KB901X_FFC, cable);
      EXPECT_EQ(window.Label_result->text(), "before");
    }
    Kb90Window::Choose(*window.ComboBox_KB901X, c.board);
    if (c.cable && !c.cableFirst) Kb90Window::Choose(*window.ComboBox_KB901X_FFC, cable);
    if (c.reversed) window.CheckBox_KB901X->click();

    EXPECT_EQ(window.Label_result->text(), c.label);
    const auto& shown = program.Dialogs().Messages();
    ASSERT_EQ(shown.size(), c.dialog.isEmpty() ? 0u : 1u);
    if (!c.dialog.isEmpty()) {
      EXPECT_EQ(shown[0].text, c.dialog);
    }
  }
}

TEST(Kb90Wiring, WithoutABaseTheListsStayShutAndSayWhatIsMissing) {
  Kb90Window program(kEneJig);
  qjig::TKB901X_forms& window = program.Window();
  EXPECT_EQ(window.Label_result->text(), "Create base of connections KB90XX !");
  EXPECT_EQ(window.ComboBox_KB901X->count(), 0);
  EXPECT_FALSE(window.ComboBox_KB901X->isEnabled());
  EXPECT_FALSE(window.ComboBox_KB901X_FFC->isEnabled());
  EXPECT_FALSE(window.CheckBox_KB901X->isEnabled());
  EXPECT_EQ(window.ComboBox_KB901X->palette().color(QPalette::Base), qjig::ui::ButtonFace());
}

TEST(Kb90Wiring, ListsAreYellowUntilChosenAndExitPutsThePromptsBack) {
  Kb90Window program(kEneJig, kBase);
  qjig::TKB901X_forms& window = program.Window();
  QComboBox& boards = *window.ComboBox_KB901X;
  QComboBox& cables = *window.ComboBox_KB901X_FFC;
  const auto colour = [](const QComboBox& list) { return list.palette().color(QPalette::Base); };
  EXPECT_EQ(colour(boards), QColor(Qt::yellow));
  EXPECT_EQ(colour(cables), QColor(Qt::yellow));
  EXPECT_EQ(cables.placeholderText(), "Select FFC cable you used");

  Kb90Window::Choose(boards, 1);
  EXPECT_EQ(colour(boards), qjig::ui::ButtonFace());
  EXPECT_EQ(colour(cables), QColor(Qt::yellow));
  Kb90Window::Choose(cables, 0);
  EXPECT_EQ(colour(cables), qjig::ui::ButtonFace());

  window.show();
  window.EXIT_KB901X->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(program.Windows().Form1->isVisible());
  EXPECT_EQ(boards.currentText(), "Select MB or BRIMEX here");
  EXPECT_EQ(cables.currentIndex(), -1);
  EXPECT_EQ(colour(boards), QColor(Qt::yellow));
  EXPECT_EQ(colour(cables), QColor(Qt::yellow));
}

}  // namespace
