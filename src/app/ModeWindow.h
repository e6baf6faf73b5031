#pragma once

#include <QWidget>

namespace qjig {

struct AppContext;

// The shape every mode window shares: its caption, a title bar with a
// minimise box only, a fixed size, a place in the middle of the screen, and
// EXIT as the only way back to the main window. The window cannot be closed
// any other way.
class ModeWindow : public QWidget {
  Q_OBJECT

 public:
  ModeWindow(AppContext& context, const QString& caption, QSize clientSize);

 protected:
  // What every EXIT ends with: the main window shown again, this one hidden.
  void ReturnToMainWindow();

  void closeEvent(QCloseEvent* event) override;

 private:
  AppContext& context_;
};

}  // namespace qjig
