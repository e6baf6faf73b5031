#include "ModeTable.h"

#include <array>

#include "modes/edid/TEDID_form.h"
#include "modes/ene/TKB901X_forms.h"
#include "modes/ite/TITE_FORM.h"
#include "modes/keyboard/TKeyboard_testing.h"
#include "modes/mec/TMEC16_Form.h"
#include "modes/npce_jtag/TForm_NUVOTON_JTAG.h"
#include "modes/npce_spi/TNPCE_FORM.h"

namespace qjig {

namespace {

const std::array<Mode, 7> kModes{{
    {"Keyboard testing", [](const AppWindows& w) -> QWidget* { return w.Keyboard_testing; }},
    {"NUVOTON spi", [](const AppWindows& w) -> QWidget* { return w.NPCE_FORM; }},
    {"NUVOTON jtag", [](const AppWindows& w) -> QWidget* { return w.Form_NUVOTON_JTAG; }},
    {"ENE KB90XX", [](const AppWindows& w) -> QWidget* { return w.KB901X_forms; }},
    {kMecMode, [](const AppWindows& w) -> QWidget* { return w.MEC16_Form; }},
    {"EDID lcd", [](const AppWindows& w) -> QWidget* { return w.EDID_form; }},
    {"ITE", [](const AppWindows& w) -> QWidget* { return w.ITE_FORM; }},
}};

}  // namespace

std::span<const Mode> Modes() { return kModes; }

QWidget* ModeWindowFor(const AppWindows& windows, std::string_view mode) {
  for (const Mode& entry : kModes)
    if (entry.text == mode) return entry.window(windows);
  return nullptr;
}

}  // namespace qjig
