// The BRIMEX adapter board: what its sense lines mean, and the detection on
// the virtual jig.
#include <gtest/gtest.h>

#include "modes/shared/AdapterBoard.h"
#include "support/BenchDriver.h"

namespace {

using namespace qjig;
using namespace std::chrono_literals;
using testsupport::Backend;
using testsupport::BenchDriver;

TEST(AdapterBoard, OnlyBit6OfR0AndBit1OfR1Count) {
  struct Case {
    std::uint8_t r0;
    std::uint8_t r1;
    AdapterSense sense;
  };
  const Case cases[] = {
      {0x00, 0xFF, AdapterSense::Pins1To2},   {0xFF, 0x00, AdapterSense::Pins31To32},
      {0x00, 0x00, AdapterSense::Both},       {0x40, 0x02, AdapterSense::Absent},
      {0xBF, 0xFF, AdapterSense::Pins1To2},   {0xFF, 0xFD, AdapterSense::Pins31To32},
      {0xF3, 0x7F, AdapterSense::Absent},     {0xBF, 0xFD, AdapterSense::Both},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClassifyAdapterSense(c.r0, c.r1), c.sense) << std::hex << int(c.r0) << ' ' << int(c.r1);
}

// Detects on a fresh bench with `remembered` carried in and out.
bool Detect(const std::string& brimex, AdapterOrientation& remembered, std::vector<std::string>& lines) {
  BenchDriver bench(Backend::Sim, "[jig]\nfirmware = ENE_EDID_KB\n" + brimex);
  JigLink link(bench.Driver());
  link.ListDevices();
  link.Open(0);
  link.Configure(300);
  return DetectAdapterBoard(link, kKb90Adapter, remembered,
                            [&lines](const std::string& line) { lines.push_back(line); });
}

TEST(AdapterBoard, TheRememberedPositionChangesOnlyWhenABoardIsFound) {
  struct Step {
    const char* brimex;
    bool found;
    const char* line;
    AdapterOrientation after;
  };
  const Step steps[] = {
      {"", false, "BRIMEX not found! Connected?", AdapterOrientation::Pins31To32},
      {"target = brimex position=1-2\n", true, "BRIMEX found! (1-2)", AdapterOrientation::Pins1To2},
      {"target = brimex position=both\n", false, "ERROR connected to BRIMEX!", AdapterOrientation::Pins1To2},
      {"target = brimex position=none\n", false, "BRIMEX not found! Connected?", AdapterOrientation::Pins1To2},
      {"target = brimex position=31-32\n", true, "BRIMEX found! (31-32)", AdapterOrientation::Pins31To32},
      {"target = brimex position=none sense=0x00,0xFF,0x00\n", true, "BRIMEX found! (1-2)",
       AdapterOrientation::Pins1To2},
  };
  AdapterOrientation remembered = AdapterOrientation::Pins31To32;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.brimex);
    std::vector<std::string> lines;
    EXPECT_EQ(Detect(step.brimex, remembered, lines), step.found);
    EXPECT_EQ(lines, std::vector<std::string>{step.line});
    EXPECT_EQ(remembered, step.after);
  }
}

TEST(AdapterBoard, ASilentJigFailsTheDetectionWithinItsBound) {
  ScopedWaitBounds brief({200ms, 200ms, 200ms});
  AdapterOrientation remembered = AdapterOrientation::Pins1To2;
  std::vector<std::string> lines;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(Detect("target = brimex position=31-32\nfault = silent\n", remembered, lines));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  EXPECT_EQ(lines, std::vector<std::string>{"The programmer is not found or does not respond"});
  EXPECT_EQ(remembered, AdapterOrientation::Pins1To2);
}

}  // namespace
