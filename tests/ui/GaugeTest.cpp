#include <gtest/gtest.h>

#include <QImage>
#include <climits>

#include "ui/Gauge.h"

namespace {

using qjig::ui::Gauge;

TEST(GaugeTest, PercentIsTheWholePartOfTheWayFromMinimumToMaximum) {
  struct Case {
    int min, max, progress;
    int shownProgress, percent;
  };
  const Case cases[] = {
      {0, 100, 50, 50, 50},
      {0, 3, 2, 2, 66},                  // rounded down
      {0, 0x17FF, 16, 16, 0},            // an upload's first record
      {0, 0x17FF, 0x17FF, 0x17FF, 100},
      {-50, 50, 0, 0, 50},
      {0, 0, 0, 0, 0},                   // no range: nothing done
      {10, 20, 5, 10, 0},                // kept inside the range
      {0, 100, 150, 100, 100},
      {0, INT_MAX, INT_MAX - 1, INT_MAX - 1, 99},  // no overflow on the way
  };
  for (const Case& c : cases) {
    Gauge gauge;
    gauge.SetMinValue(c.min);
    gauge.SetMaxValue(c.max);
    gauge.SetProgress(c.progress);
    EXPECT_EQ(gauge.Progress(), c.shownProgress) << c.min << ".." << c.max << " at " << c.progress;
    EXPECT_EQ(gauge.PercentDone(), c.percent) << c.min << ".." << c.max << " at " << c.progress;
  }
}

TEST(GaugeTest, ARangeThatShrinksTakesTheProgressAndTheOtherEndAlong) {
  Gauge gauge;
  gauge.SetProgress(80);
  gauge.SetMaxValue(60);
  EXPECT_EQ(gauge.Progress(), 60);
  gauge.SetMaxValue(-10);
  EXPECT_EQ(gauge.MinValue(), -10);
  EXPECT_EQ(gauge.Progress(), -10);
  gauge.SetMinValue(5);
  EXPECT_EQ(gauge.MaxValue(), 5);
}

TEST(GaugeTest, TheBarFillsFromTheLeftInItsColour) {
  Gauge gauge;
  gauge.resize(200, 20);
  gauge.SetForeColor(Qt::blue);
  gauge.SetMaxValue(4);
  gauge.SetProgress(1);
  const QImage image = gauge.grab().toImage();
  EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::blue));
  EXPECT_EQ(image.pixelColor(60, 10), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(190, 10), QColor(Qt::white));
}

}  // namespace
