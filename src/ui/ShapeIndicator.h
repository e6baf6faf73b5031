#pragma once

#include <QColor>
#include <QWidget>

namespace qjig::ui {

// A small rounded square in one colour, with a thin black outline: one
// indicator of a grid. Painting it is cheap, and a new colour repaints only
// this square, and only when the colour really changed.
class ShapeIndicator final : public QWidget {
  Q_OBJECT

 public:
  ShapeIndicator(QWidget& parent, const QString& name, const QRect& geometry, const QColor& colour);

  QColor Colour() const { return colour_; }
  void SetColour(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

}  // namespace qjig::ui
