#pragma once

#include <QColor>
#include <QWidget>

namespace qjig::ui {

// The percentage gauge the windows were designed with: a horizontal bar that
// fills from the left, with the whole percentage centred on it. The text
// reads in the bar's colour over the empty part and in the background colour
// over the filled part, so it stays legible at any position.
//
// Minimum never exceeds maximum and the progress stays between them: a
// value that would break this is brought back inside.
class Gauge : public QWidget {
  Q_OBJECT

 public:
  explicit Gauge(QWidget* parent = nullptr);

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Progress() const { return progress_; }
  const QColor& ForeColor() const { return foreColor_; }
  const QColor& BackColor() const { return backColor_; }

  void SetMinValue(int value);
  void SetMaxValue(int value);
  void SetProgress(int value);
  void SetForeColor(const QColor& color);

  // Whole percent of the way from minimum to maximum, rounded down; 0 when
  // minimum and maximum are equal.
  int PercentDone() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Clamp();

  int min_ = 0;
  int max_ = 100;
  int progress_ = 0;
  QColor foreColor_ = Qt::black;
  QColor backColor_ = Qt::white;
};

}  // namespace qjig::ui
