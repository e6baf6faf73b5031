#pragma once

#include <QColor>
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

// The background of an entry field or list (yellow while it waits for the
// user's choice), and the colour of a control's caption.
void PaintField(QWidget& field, const QColor& colour);
void PaintCaption(QWidget& control, const QColor& colour);
// The desktop's button face, the colour of a field that needs nothing more.
QColor ButtonFace();

// A timer with the design's name that fires once, `ms` after it is started;
// it is not running until then.
QTimer* MakeOneShotTimer(QObject& parent, const char* name, int ms);

}  // namespace qjig::ui
