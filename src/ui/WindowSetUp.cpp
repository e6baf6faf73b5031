#include "WindowSetUp.h"

#include <QApplication>
#include <QFont>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace qjig::ui {

namespace {

Qt::WindowFlags FlagsFor(WindowFrame frame) {
  const Qt::WindowFlags titleOnly = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  switch (frame) {
    case WindowFrame::MinimiseBoxOnly: return titleOnly | Qt::WindowMinimizeButtonHint;
    case WindowFrame::NoBorderIcons: return titleOnly;
  }
  return titleOnly;
}

}  // namespace

void SetUpWindow(QWidget& window, const QString& caption, WindowFrame frame, QSize clientSize) {
  window.setWindowFlags(FlagsFor(frame));
  window.setWindowTitle(caption);
  // The windows were laid out in MS Sans Serif 8. Where it is missing, Arial
  // or its metric twin Liberation Sans keeps the texts at their widths.
  QFont::insertSubstitutions("MS Sans Serif", {"Arial", "Liberation Sans"});
  window.setFont(QFont("MS Sans Serif", 8));
  window.setFixedSize(clientSize);
}

void CentreOnScreen(QWidget& window) {
  QRect placed = window.geometry();
  placed.moveCenter(window.screen()->availableGeometry().center());
  window.move(placed.topLeft());
}

QPushButton* MakeButton(QWidget& parent, const char* name, const QString& caption, const QRect& geometry) {
  auto* button = new QPushButton(caption, &parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

void PaintField(QWidget& field, const QColor& colour) {
  QPalette palette = field.palette();
  palette.setColor(QPalette::Button, colour);
  palette.setColor(QPalette::Base, colour);
  field.setPalette(palette);
}

void PaintCaption(QWidget& control, const QColor& colour) {
  QPalette palette = control.palette();
  palette.setColor(QPalette::ButtonText, colour);
  palette.setColor(QPalette::WindowText, colour);
  control.setPalette(palette);
}

QColor ButtonFace() { return QApplication::palette().color(QPalette::Button); }

QTimer* MakeOneShotTimer(QObject& parent, const char* name, int ms) {
  auto* timer = new QTimer(&parent);
  timer->setObjectName(name);
  timer->setSingleShot(true);
  timer->setInterval(ms);
  return timer;
}

}  // namespace qjig::ui
