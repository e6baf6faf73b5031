#include "ShapeIndicator.h"

#include <QPainter>

namespace qjig::ui {

ShapeIndicator::ShapeIndicator(QWidget& parent, const QString& name, const QRect& geometry, const QColor& colour)
    : QWidget(&parent), colour_(colour) {
  setObjectName(name);
  setGeometry(geometry);
}

void ShapeIndicator::SetColour(const QColor& colour) {
  if (colour == colour_) return;
  colour_ = colour;
  update();
}

void ShapeIndicator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(colour_);
  painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

}  // namespace qjig::ui
