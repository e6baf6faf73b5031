#include "TEDID_form.h"

#include <QPushButton>

#include "ui/WindowSetUp.h"

namespace qjig {

TEDID_form::TEDID_form(AppContext& context)
    : ModeWindow(context, "EEPROM LCD read/write 01/07/2017", {457, 329}),
      EXIT_EDID(ui::MakeButton(*this, "EXIT_EDID", "EXIT", {344, 272, 105, 49})) {
  connect(EXIT_EDID, &QPushButton::clicked, this, &TEDID_form::EXIT_EDIDClick);
}

void TEDID_form::EXIT_EDIDClick() { ReturnToMainWindow(); }

}  // namespace qjig
