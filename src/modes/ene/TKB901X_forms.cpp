#include "TKB901X_forms.h"

#include <QPushButton>

#include "ui/WindowSetUp.h"

namespace qjig {

TKB901X_forms::TKB901X_forms(AppContext& context)
    : ModeWindow(context, "KB9010/9012/9016/9022  and BRIMEX 01/07/2017", {705, 521}),
      EXIT_KB901X(ui::MakeButton(*this, "EXIT_KB901X", "EXIT", {584, 464, 113, 49})) {
  connect(EXIT_KB901X, &QPushButton::clicked, this, &TKB901X_forms::EXIT_KB901XClick);
}

void TKB901X_forms::EXIT_KB901XClick() { ReturnToMainWindow(); }

}  // namespace qjig
