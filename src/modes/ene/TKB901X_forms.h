#pragma once

#include "app/ModeWindow.h"

class QPushButton;

namespace qjig {

// The KB90xx window: reads, writes and verifies the flash of an ENE KB9010/9012/
// 9016/9022 embedded controller.
class TKB901X_forms final : public ModeWindow {
  Q_OBJECT

 public:
  explicit TKB901X_forms(AppContext& context);

  QPushButton* const EXIT_KB901X;

  void EXIT_KB901XClick();
};

}  // namespace qjig
