#pragma once

#include "app/ModeWindow.h"

class QPushButton;

namespace qjig {

// The MEC window: checks, erases, reads and writes the flash of a Microchip
// MEC16xx over JTAG.
class TMEC16_Form final : public ModeWindow {
  Q_OBJECT

 public:
  explicit TMEC16_Form(AppContext& context);

  QPushButton* const EXIT_MEC16;

  void EXIT_MEC16Click();
};

}  // namespace qjig
