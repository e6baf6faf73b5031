#include "TMEC16_Form.h"

#include <QPushButton>

#include "ui/WindowSetUp.h"

namespace qjig {

TMEC16_Form::TMEC16_Form(AppContext& context)
    : ModeWindow(context, "Read and Write MEC   19_03_17", {705, 521}),
      EXIT_MEC16(ui::MakeButton(*this, "EXIT_MEC16", "STOP and EXIT", {568, 464, 129, 49})) {
  connect(EXIT_MEC16, &QPushButton::clicked, this, &TMEC16_Form::EXIT_MEC16Click);
}

void TMEC16_Form::EXIT_MEC16Click() { ReturnToMainWindow(); }

}  // namespace qjig
