#pragma once

#include "app/ModeWindow.h"

class QPushButton;

namespace qjig {

// The Nuvoton JTAG window: reads, erases and writes the flash of a Nuvoton NPCE
// over its JTAG port.
class TForm_NUVOTON_JTAG final : public ModeWindow {
  Q_OBJECT

 public:
  explicit TForm_NUVOTON_JTAG(AppContext& context);

  QPushButton* const BitBtn_EXIT_NUV;

  void BitBtn_EXIT_NUVClick();
};

}  // namespace qjig
