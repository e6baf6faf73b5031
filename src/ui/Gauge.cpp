#include "Gauge.h"

#include <QPainter>
#include <algorithm>

namespace qjig::ui {

Gauge::Gauge(QWidget* parent) : QWidget(parent) {}

void Gauge::SetMinValue(int value) {
  min_ = value;
  max_ = std::max(max_, min_);
  Clamp();
}

void Gauge::SetMaxValue(int value) {
  max_ = value;
  min_ = std::min(min_, max_);
  Clamp();
}

void Gauge::SetProgress(int value) {
  progress_ = value;
  Clamp();
}

void Gauge::SetForeColor(const QColor& color) {
  foreColor_ = color;
  update();
}

void Gauge::Clamp() {
  progress_ = std::clamp(progress_, min_, max_);
  update();
}

int Gauge::PercentDone() const {
  const long long range = static_cast<long long>(max_) - min_;
  if (range == 0) return 0;
  return static_cast<int>((static_cast<long long>(progress_) - min_) * 100 / range);
}

void Gauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect inside = rect().adjusted(1, 1, -1, -1);
  painter.fillRect(rect(), Qt::black);
  painter.fillRect(inside, backColor_);

  const long long range = static_cast<long long>(max_) - min_;
  const int filledWidth =
      range == 0 ? 0 : static_cast<int>(inside.width() * (static_cast<long long>(progress_) - min_) / range);
  const QRect filled(inside.left(), inside.top(), filledWidth, inside.height());
  const QRect empty(filled.right() + 1, inside.top(), inside.width() - filledWidth, inside.height());
  painter.fillRect(filled, foreColor_);

  const QString text = QString::number(PercentDone()) + '%';
  painter.setClipRect(empty);
  painter.setPen(foreColor_);
  painter.drawText(inside, Qt::AlignCenter, text);
  painter.setClipRect(filled);
  painter.setPen(backColor_);
  painter.drawText(inside, Qt::AlignCenter, text);
}

}  // namespace qjig::ui
