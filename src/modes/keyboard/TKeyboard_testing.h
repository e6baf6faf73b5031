#pragma once

#include "app/ModeWindow.h"

class QPushButton;

namespace qjig {

// The keyboard tester: scans a laptop keyboard's 32-line matrix.
class TKeyboard_testing final : public ModeWindow {
  Q_OBJECT

 public:
  explicit TKeyboard_testing(AppContext& context);

  QPushButton* const EXIT_KB_TEST;

  void EXIT_KB_TESTClick();
};

}  // namespace qjig
