// Choosing "External board - BRIMEX" in the KB90xx window: the check, the
// detection and what the window shows for each outcome.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "Kb90Window.h"
#include "modes/ene/TKB901X_forms.h"
#include "ui/WindowSetUp.h"

namespace {

using testsupport::Kb90Window;

const std::string kBase = "Board KSO3=1 KSI4=2 KSI5=3 KSI6=4 KSI7=5\r\n";
const std::string kEneJig = "[jig]\nfirmware = ENE_EDID_KB\ntarget = kb9012\n";

TEST(Kb90Adapter, TheAdapterEntryFindsTheBoardAndShowsItsWiring) {
  struct Case {
    const char* name;
    std::string bench;
    QString line;  // the last line in the message box
    QString label;
    QString hint;  // the information dialog; empty: none
    std::vector<std::string> writes;
  };
  const Case cases[] = {
      {"board at pins 1-2", kEneJig + "target = brimex position=1-2\n", "BRIMEX found! (1-2)",
       " Selected BRIMEX board ", " Please connect\n B13 C14 D17 E12 \n then  READ or WRITE!",
       {"42", "56 39", "56 35"}},
      {"board at pins 31-32", kEneJig + "target = brimex position=31-32\n", "BRIMEX found! (31-32)",
       " Selected BRIMEX board ", " Please connect\n B20 C19 D16 E21 \n then  READ or WRITE!",
       {"42", "56 39", "56 36"}},
      {"no board", kEneJig, "BRIMEX not found! Connected?", " Error sending settings", "", {"42", "56 39"}},
      {"a board on both sense lines", kEneJig + "target = brimex position=both\n", "ERROR connected to BRIMEX!",
       " Error sending settings", "", {"42", "56 39"}},
      {"no jig", "", "VCOM port is not found on the machine!", "", "", {}},
      {"a jig with other firmware", "[jig]\nfirmware = NPCE\n", "It is necessary to update the firmware programmer!",
       "", "", {"42"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Kb90Window program(c.bench, kBase);
    qjig::TKB901X_forms& window = program.Window();
    Kb90Window::Choose(*window.ComboBox_KB901X, 0);

    EXPECT_EQ(program.MemoLines().back(), c.line);
    EXPECT_EQ(window.Label_result->text(), c.label);
    const auto& shown = program.Dialogs().Messages();
    ASSERT_EQ(shown.size(), c.hint.isEmpty() ? 0u : 1u);
    if (!c.hint.isEmpty()) {
      EXPECT_EQ(shown[0].kind, qjig::ui::MessageKind::Information);
      EXPECT_EQ(shown[0].text, c.hint);
    }
    EXPECT_EQ(program.WritesSinceLastOpen(), c.writes);
    if (!c.writes.empty()) {
      EXPECT_TRUE(program.LinkClosed());
    }
    EXPECT_FALSE(window.ComboBox_KB901X_FFC->isEnabled());
    EXPECT_FALSE(window.CheckBox_KB901X->isEnabled());
    EXPECT_EQ(window.ComboBox_KB901X->palette().color(QPalette::Base), qjig::ui::ButtonFace());
    EXPECT_EQ(window.ComboBox_KB901X_FFC->palette().color(QPalette::Base), qjig::ui::ButtonFace());
  }
}

TEST(Kb90Adapter, AMotherboardChosenAfterTheAdapterOpensTheCableSettingsAgain) {
  Kb90Window program(kEneJig + "target = brimex position=1-2\n", kBase);
  qjig::TKB901X_forms& window = program.Window();
  Kb90Window::Choose(*window.ComboBox_KB901X, 0);
  Kb90Window::Choose(*window.ComboBox_KB901X, 1);
  EXPECT_TRUE(window.ComboBox_KB901X_FFC->isEnabled());
  EXPECT_TRUE(window.CheckBox_KB901X->isEnabled());
}

}  // namespace
