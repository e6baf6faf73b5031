// The keyboard tester's scan as a technician's script runs it.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "support/TempDir.h"

namespace {

using testsupport::Cli;
using testsupport::CliRun;
using testsupport::RunIn;

class KeyboardCliTest : public ::testing::Test {
 protected:
  std::string Bench(const std::string& name, const std::string& text) {
    testsupport::WriteFile(dir / name, text);
    return (dir / name).string();
  }
  testsupport::TempDir dir;
};

// The keys are held for the first scan only: one report with contacts.
const std::string kOneReport =
    "[jig]\nfirmware = ENE_EDID_KB\ntarget = keyboard press=5-7@0..1,5-9@0..1,2-3@0..1 pieces=2\n";
const std::string kOneReportLines = "Ready to work\n5-7 red\n5-9 red\n2-3 red\nPress start scan\n";

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = 0; (at = text.find(part, at)) != std::string::npos; ++at) ++count;
  return count;
}

TEST_F(KeyboardCliTest, ScanPrintsEachChangeAndEachNewStatus) {
  const auto bench = Bench("k.bench", kOneReport);
  struct Case { const char* options; std::size_t signals; };
  const Case cases[] = {{"", 1}, {" --buzzer-off", 0}};
  for (const Case& c : cases) {
    const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + bench + " --trace t.txt keyboard scan --seconds 1" +
                                             c.options + " 2>/dev/null");
    EXPECT_EQ(run.status, 0) << c.options;
    EXPECT_EQ(run.out, kOneReportLines) << c.options;
    const std::string trace = testsupport::ReadFile(dir / "t.txt");
    EXPECT_EQ(Count(trace, "W 49\n"), c.signals) << c.options;
    EXPECT_GT(Count(trace, "W 55\n"), 1u) << c.options;
  }
}

TEST_F(KeyboardCliTest, ScanExitsByWhatStoppedIt) {
  struct Case { const char* bench; int status; const char* out; };
  const Case cases[] = {
      {"", 2, "Device not found\n"},
      {"[jig]\nfirmware = NPCE\n", 3, "Please update FW\n"},
      {"[jig]\nfirmware = ENE_EDID_KB\nfault = unplug-after 20\n", 2, "Ready to work\nDevice not found\n"},
      {"[jig]\nfirmware = ENE_EDID_KB\nfault = silent-after 20\n", 2, "Ready to work\nDevice not found\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + Bench("s.bench", c.bench) +
                                             " keyboard scan --seconds 5 2>/dev/null");
    EXPECT_EQ(run.status, c.status) << c.bench;
    EXPECT_EQ(run.out, c.out) << c.bench;
  }
}

TEST_F(KeyboardCliTest, BadUsageExitsOneWithNothingOnStdout) {
  const auto bench = Bench("k.bench", kOneReport);
  for (const char* args : {"keyboard", "keyboard scan", "keyboard scan --seconds", "keyboard scan --seconds x",
                           "keyboard scan --seconds 1 --loud", "keyboard hold --seconds 1"}) {
    const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + bench + " " + args + " 2>/dev/null");
    EXPECT_EQ(run.status, 1) << args;
    EXPECT_EQ(run.out, "") << args;
  }
}

// Over a pseudo-terminal the report's pieces reach the tty backend's poll()
// as they leave the jig.
TEST_F(KeyboardCliTest, ScanThroughTheTtyBackendAgainstJigsim) {
  Bench("k.bench", kOneReport);
  const CliRun run =
      RunIn(dir.Path(), testsupport::CliOverJigsim("k.bench", "keyboard scan --seconds 1 2>/dev/null"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kOneReportLines);
}

}  // namespace
