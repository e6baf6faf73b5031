#include "TITE_FORM.h"

#include <QPushButton>

#include "ui/WindowSetUp.h"

namespace qjig {

TITE_FORM::TITE_FORM(AppContext& context)
    : ModeWindow(context, "ITE 18_07_2017", {969, 545}),
      ITE_EXIT_BitBtn(ui::MakeButton(*this, "ITE_EXIT_BitBtn", "EXIT", {824, 472, 121, 57})) {
  connect(ITE_EXIT_BitBtn, &QPushButton::clicked, this, &TITE_FORM::ITE_EXIT_BitBtnClick);
}

void TITE_FORM::ITE_EXIT_BitBtnClick() { ReturnToMainWindow(); }

}  // namespace qjig
