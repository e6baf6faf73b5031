#pragma once

#include <QRect>
#include <QString>

class QObject;
class QPushButton;
class QTimer;
class QWidget;

namespace qjig::ui {

enum class WindowFrame {
  MinimiseBoxOnly,  // a title bar with a minimise box; no close or maximise box
  NoBorderIcons,    // a title bar and nothing on it
};

// A window as the design draws it: caption, frame, a fixed client size and
// the design's default font.
void SetUpWindow(QWidget& window, const QString& caption, WindowFrame frame, QSize clientSize);

// Puts the window in the middle of its screen's free area.
void CentreOnScreen(QWidget& window);

// A push button with the design's name and caption at its designed place.
QPushButton* MakeButton(QWidget& parent, const char* name, const QString& caption, const QRect& geometry);

// A timer with the design's name that fires once, `ms` after it is started;
// it is not running until then.
QTimer* MakeOneShotTimer(QObject& parent, const char* name, int ms);

}  // namespace qjig::ui
