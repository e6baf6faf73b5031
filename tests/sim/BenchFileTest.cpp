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
      "boot = yes\n"
      "reset-press = 250\n"
      "fault = no-boot-answer\n"
      "fault = bad-banner\n"
      "fault = record-reply 3 \"E R#\\x11\"\n"
      "fault = record-reply 5 -E\n"
      "fault = bad-sync 2\n"
      "fault = refuse-block-request 4\n"
      "fault = refuse-block 7\n"
      "fault = refuse-block 9\n"
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
  EXPECT_TRUE(first.bootAtPowerUp);
  EXPECT_EQ(first.resetPress, std::chrono::milliseconds(250));
  EXPECT_TRUE(first.mcuFaults.noBootAnswer);
  EXPECT_TRUE(first.mcuFaults.badBanner);
  EXPECT_EQ(first.mcuFaults.recordReplies,
            (std::map<std::uint64_t, std::string>{{3, "E R#\x11"}, {5, "-E"}}));
  EXPECT_EQ(first.mcuFaults.badSyncs, 2u);
  EXPECT_EQ(first.mcuFaults.refusedBlockRequests, std::set<std::uint64_t>{4});
  EXPECT_EQ(first.mcuFaults.refusedBlocks, (std::set<std::uint64_t>{7, 9}));
  ASSERT_EQ(first.targets.size(), 1u);
  EXPECT_EQ(first.targets[0].kind, "flash");
  EXPECT_EQ(first.targets[0].params, (std::map<std::string, std::string>{{"size", "131072"}, {"fill", "ff"}}));
  const JigSpec& second = bench.jigs[1];
  EXPECT_EQ(second.serial, "QXJIG1");
  EXPECT_FALSE(second.plugged);
  EXPECT_TRUE(second.bridgeFaults.openFails);
  EXPECT_FALSE(second.tag);
  EXPECT_FALSE(second.bootAtPowerUp);
  EXPECT_FALSE(second.resetPress);
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
      {"[jig]\nfirmware = NPCE\nfault = record-reply 3\n", 3, "fault record-reply needs a record number and a text"},
      {"[jig]\nfirmware = NPCE\nfault = record-reply last E-RR\n", 3, "fault record-reply needs a record number and a text"},
      {"[jig]\nfirmware = NPCE\nfault = record-reply 1 \"E\\q\"\n", 3, "fault record-reply needs a record number and a text"},
      {"[jig]\nfirmware = NPCE\nfault = bad-sync some\n", 3, "fault bad-sync needs a reply count"},
      {"[jig]\nfirmware = NPCE\nfault = refuse-block -1\n", 3, "fault refuse-block needs a block number"},
      {"[jig]\nfirmware = NPCE\nfault = refuse-block-request\n", 3, "unknown fault 'refuse-block-request'"},
      {"[jig]\nfirmware = NPCE\nfault = bad-banner 2\n", 3, "unknown fault 'bad-banner 2'"},
      {"[jig]\nfirmware = NPCE\nboot = maybe\n", 3, "boot must be yes or no"},
      {"[jig]\nfirmware = NPCE\nreset-press = soon\n", 3, "reset-press must be a number of milliseconds"},
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
