#include "TForm_NUVOTON_JTAG.h"

#include <QPushButton>

#include "ui/WindowSetUp.h"

namespace qjig {

TForm_NUVOTON_JTAG::TForm_NUVOTON_JTAG(AppContext& context)
    : ModeWindow(context, "NUVOTON JTAG 1_07_2017", {705, 521}),
      BitBtn_EXIT_NUV(ui::MakeButton(*this, "BitBtn_EXIT_NUV", "EXIT", {584, 464, 113, 49})) {
  connect(BitBtn_EXIT_NUV, &QPushButton::clicked, this, &TForm_NUVOTON_JTAG::BitBtn_EXIT_NUVClick);
}

void TForm_NUVOTON_JTAG::BitBtn_EXIT_NUVClick() { ReturnToMainWindow(); }

}  // namespace qjig
