#include "TKeyboard_testing.h"

#include <QPushButton>

#include "ui/WindowSetUp.h"

namespace qjig {

TKeyboard_testing::TKeyboard_testing(AppContext& context)
    : ModeWindow(context, "Keyboard_testing 01_07_2017", {581, 550}),
      EXIT_KB_TEST(ui::MakeButton(*this, "EXIT_KB_TEST", "EXIT", {16, 488, 113, 41})) {
  connect(EXIT_KB_TEST, &QPushButton::clicked, this, &TKeyboard_testing::EXIT_KB_TESTClick);
}

void TKeyboard_testing::EXIT_KB_TESTClick() { ReturnToMainWindow(); }

}  // namespace qjig
