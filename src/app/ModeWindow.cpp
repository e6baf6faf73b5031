#include "ModeWindow.h"

#include <QCloseEvent>

#include "AppContext.h"
#include "TForm1.h"
#include "ui/WindowSetUp.h"

namespace qjig {

ModeWindow::ModeWindow(AppContext& context, const QString& caption, QSize clientSize)
    : context_(context) {
  ui::SetUpWindow(*this, caption, ui::WindowFrame::MinimiseBoxOnly, clientSize);
  // Only the main window's Exit ends the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  ui::CentreOnScreen(*this);
}

void ModeWindow::ReturnToMainWindow() {
  context_.windows.Form1->show();
  hide();
}

// EXIT is the only way back, so the window manager's close is refused; the
// program's own closing of all windows at exit goes through.
void ModeWindow::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) event->ignore();
}

}  // namespace qjig
