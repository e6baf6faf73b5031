#include "TNPCE_FORM.h"

#include <QPushButton>

#include "ui/WindowSetUp.h"

namespace qjig {

TNPCE_FORM::TNPCE_FORM(AppContext& context)
    : ModeWindow(context, "NPCE288N/388N external board BRIMEX 01_07_2017", {705, 521}),
      EXIT_NPCE(ui::MakeButton(*this, "EXIT_NPCE", "EXIT", {584, 464, 113, 49})) {
  connect(EXIT_NPCE, &QPushButton::clicked, this, &TNPCE_FORM::EXIT_NPCEClick);
}

void TNPCE_FORM::EXIT_NPCEClick() { ReturnToMainWindow(); }

}  // namespace qjig
