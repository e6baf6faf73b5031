#include <gtest/gtest.h>

#include "BenchFile.h"
#include "VirtualBench.h"

namespace {

using namespace sim;

TEST(BenchFile, ReadsJigsFaultsAndTargets) {
  const BenchParse parsed = ParseBench(
      "# two jigs\n"
      "wire-time = on\n"
      "\n"
      "[jig]\n"
      "serial = QX01   # the bench's first jig\n"
      "firmware = NPCE\n"
      "tag = \"NPCE #2\\r\\n\\x01\"\n"
      "fault = silent-after 12\n"
      "fault = unplug-after 300\n"
      "target = flash size=131072 fill=ff\n"
      "[jig]\n"
      "firmware = ENE_EDID_KB\n"
      "plugged = no\n"
      "fault = open-fails\n");
  ASSERT_FALSE(parsed.error) << parsed.error->message;
  const BenchSpec& bench = parsed.bench;
  EXPECT_TRUE(bench.wireTime);
  ASSERT_EQ(bench.jigs.size(), 2u);
  const JigSpec& first = bench.jigs[0];
  EXPECT_EQ(first.serial, "QX01");
  EXPECT_EQ(first.firmware, "NPCE");
  EXPECT_EQ(first.tag, std::string("NPCE #2\r\n\x01"));
  EXPECT_EQ(first.mcuFaults.silentAfter, 12u);
  EXPECT_EQ(first.bridgeFaults.unplugAfter, 300u);
  ASSERT_EQ(first.targets.size(), 1u);
  EXPECT_EQ(first.targets[0].kind, "flash");
  EXPECT_EQ(first.targets[0].params, (std::map<std::string, std::string>{{"size", "131072"}, {"fill", "ff"}}));
  const JigSpec& second = bench.jigs[1];
  EXPECT_EQ(second.serial, "QXJIG1");
  EXPECT_FALSE(second.plugged);
  EXPECT_TRUE(second.bridgeFaults.openFails);
  EXPECT_FALSE(second.tag);
}

TEST(BenchFile, ErrorsNameTheLine) {
  struct Case { const char* text; int line; const char* message; };
  const Case cases[] = {
      {"firmware = NPCE\n", 1, "unknown bench key 'firmware' (jig keys go after [jig])"},
      {"[jig]\nfirmware = NPCE\nfault = sometimes\n", 3, "unknown fault 'sometimes'"},
      {"[jig]\nfirmware = NPCE\nfault = silent-after many\n", 3, "fault silent-after needs a byte count"},
      {"[jig]\nfirmware = NPCE\ntag = \"bad \\q\"\n", 3, "tag is not a valid text"},
      {"[jig]\nfirmware = NPCE\ntag = \"cut \\x4\"\n", 3, "tag is not a valid text"},
      {"[jig]\nserial = A\n", 1, "jig has no firmware"},
      {"[jig]\nfirmware = NPCE\ntarget = flash size\n", 3, "target parameter 'size' is not key=value"},
      {"[jigs]\n", 1, "unknown section [jigs]"},
      {"wire-time = maybe\n", 1, "wire-time must be on or off"},
      {"[jig]\nfirmware NPCE\n", 2, "expected key = value"},
  };
  for (const Case& c : cases) {
    const BenchParse parsed = ParseBench(c.text);
    ASSERT_TRUE(parsed.error) << c.text;
    EXPECT_EQ(parsed.error->line, c.line) << c.text;
    EXPECT_EQ(parsed.error->message, c.message) << c.text;
  }
}

TEST(BenchFile, BuildRefusesUnknownFirmwaresAndTargets) {
  EXPECT_EQ(LoadBenchText("[jig]\nfirmware = NPCE9\n").error->line, 2);
  const BenchBuild target = LoadBenchText("[jig]\nfirmware = NPCE\ntarget = toaster\n");
  ASSERT_TRUE(target.error);
  EXPECT_EQ(FormatBenchError(*target.error), "line 3: unknown target kind 'toaster'");
}

TEST(BenchFile, BuiltJigAnswersWithItsFirmwaresTag) {
  const BenchBuild built = LoadBenchText("[jig]\nfirmware = V42\n[jig]\nfirmware = V42\ntag = Mine\n");
  ASSERT_FALSE(built.error);
  EXPECT_EQ(built.bench.jigs[0]->FirmwareTag(), "M88_JTAG_MEC_V42");
  EXPECT_EQ(built.bench.jigs[1]->FirmwareTag(), "Mine");
}

}  // namespace
