#include "ProgramWindows.h"

#include <cstdlib>
#include <iostream>

#include "TForm1.h"
#include "jigfw/TUPDATE_FORM.h"
#include "modes/edid/TEDID_form.h"
#include "modes/ene/TKB901X_forms.h"
#include "modes/ite/TITE_FORM.h"
#include "modes/keyboard/TKeyboard_testing.h"
#include "modes/mec/TMEC16_Form.h"
#include "modes/npce_jtag/TForm_NUVOTON_JTAG.h"
#include "modes/npce_spi/TNPCE_FORM.h"

namespace qjig {

template <typename Window>
void ProgramWindows::Adopt(std::unique_ptr<Window> window, Window* AppWindows::*slot, const char* name) {
  window->setObjectName(name);
  context_.windows.*slot = window.get();
  order_.push_back(window.get());
  owned_.push_back(std::move(window));
}

ProgramWindows::ProgramWindows(AppContext& context) : context_(context) {
  Adopt(std::make_unique<TForm1>(context), &AppWindows::Form1, "Form1");
  Adopt(std::make_unique<TEDID_form>(context), &AppWindows::EDID_form, "EDID_form");
  Adopt(std::make_unique<TKB901X_forms>(context), &AppWindows::KB901X_forms, "KB901X_forms");
  Adopt(std::make_unique<TKeyboard_testing>(context), &AppWindows::Keyboard_testing, "Keyboard_testing");
  Adopt(std::make_unique<TMEC16_Form>(context), &AppWindows::MEC16_Form, "MEC16_Form");
  Adopt(std::make_unique<TITE_FORM>(context), &AppWindows::ITE_FORM, "ITE_FORM");
  Adopt(std::make_unique<TNPCE_FORM>(context), &AppWindows::NPCE_FORM, "NPCE_FORM");
  Adopt(std::make_unique<TUPDATE_FORM>(context.dialogs), &AppWindows::UPDATE_FORM, "UPDATE_FORM");
  Adopt(std::make_unique<TForm_NUVOTON_JTAG>(context), &AppWindows::Form_NUVOTON_JTAG, "Form_NUVOTON_JTAG");
}

ProgramWindows::~ProgramWindows() {
  if (!context_.windows.Form1->StopSwitch(kSwitchEndBound)) {
    // The worker still holds the start link and posts to the windows:
    // tearing them down under it would crash, so the process ends here.
    std::cerr << "The firmware switch did not end; the program stops without cleaning up.\n";
    std::_Exit(EXIT_FAILURE);
  }
  while (!owned_.empty()) owned_.pop_back();
  context_.windows = {};
}

}  // namespace qjig
