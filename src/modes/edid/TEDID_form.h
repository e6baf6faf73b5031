#pragma once

#include "app/ModeWindow.h"

class QPushButton;

namespace qjig {

// The EDID window: reads and writes the EDID EEPROM of an LCD panel.
class TEDID_form final : public ModeWindow {
  Q_OBJECT

 public:
  explicit TEDID_form(AppContext& context);

  QPushButton* const EXIT_EDID;

  void EXIT_EDIDClick();
};

}  // namespace qjig
