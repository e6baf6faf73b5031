#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "VirtualBench.h"
#include "app/VirtualBenchWindow.h"

namespace {

class VirtualBenchWindowTest : public ::testing::Test {
 protected:
  QStringList Labels() const {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>()) texts << label->text();
    return texts;
  }
  QPushButton& Button(const char* name) { return *window.findChild<QPushButton*>(name); }

  sim::VirtualBench bench =
      sim::LoadBenchText("[jig]\nserial = A1\nfirmware = NPCE\n[jig]\nserial = B2\nfirmware = ITE2\nplugged = no\n")
          .bench;
  qjig::VirtualBenchWindow window{bench};
};

TEST_F(VirtualBenchWindowTest, ShowsEachJigAsItIs) {
  const QStringList labels = Labels();
  for (const char* text : {"A1", "application: M88_NPCE288_V2.4", "plugged", "B2", "unplugged"})
    EXPECT_TRUE(labels.contains(text)) << text << " in " << labels.join(" | ").toStdString();
  EXPECT_EQ(Button("Cable A1").text(), "Unplug");
  EXPECT_EQ(Button("Cable B2").text(), "Plug");
}

TEST_F(VirtualBenchWindowTest, TheButtonsActOnTheirOwnJig) {
  Button("Cable A1").click();
  EXPECT_FALSE(bench.jigs[0]->IsPlugged());
  EXPECT_EQ(Button("Cable A1").text(), "Plug");
  Button("Cable B2").click();
  EXPECT_TRUE(bench.jigs[1]->IsPlugged());

  Button("Reset B2").click();
  EXPECT_EQ(bench.jigs[1]->RunningFirmware(), "M88 bootloader");
  EXPECT_EQ(bench.jigs[0]->RunningFirmware(), "application");
  EXPECT_TRUE(Labels().contains("M88 bootloader"));  // which has no version tag
}

}  // namespace
