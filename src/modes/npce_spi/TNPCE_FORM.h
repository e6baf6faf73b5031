#pragma once

#include "app/ModeWindow.h"

class QPushButton;

namespace qjig {

// The Nuvoton SPI window: reads, erases, writes and verifies the flash of a
// Nuvoton NPCE288N/388N over SPI.
class TNPCE_FORM final : public ModeWindow {
  Q_OBJECT

 public:
  explicit TNPCE_FORM(AppContext& context);

  QPushButton* const EXIT_NPCE;

  void EXIT_NPCEClick();
};

}  // namespace qjig
