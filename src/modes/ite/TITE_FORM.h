#pragma once

#include "app/ModeWindow.h"

class QPushButton;

namespace qjig {

// The ITE window: reads, erases, writes and verifies the flash of an ITE
// embedded controller, in Russian and English.
class TITE_FORM final : public ModeWindow {
  Q_OBJECT

 public:
  explicit TITE_FORM(AppContext& context);

  QPushButton* const ITE_EXIT_BitBtn;

  void ITE_EXIT_BitBtnClick();
};

}  // namespace qjig
