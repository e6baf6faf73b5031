// The command-line program as a technician's script runs it.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "support/TempDir.h"

namespace {

using testsupport::Cli;
using testsupport::CliRun;
using testsupport::RunIn;

class CliTest : public ::testing::Test {
 protected:
  std::string Bench(const std::string& name, const std::string& text) {
    testsupport::WriteFile(dir / name, text);
    return (dir / name).string();
  }
  testsupport::TempDir dir;
};

TEST_F(CliTest, QueryPrintsTheTagAndWritesTheStartLogHere) {
  const auto bench = Bench("b.bench", "[jig]\nfirmware = NPCE\n");
  const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + bench + " query");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "M88_NPCE288_V2.4\n");
  const std::string log = testsupport::ReadFile(dir / "Start_log.txt");
  EXPECT_NE(log.find("Read answer version bytes -> 16\r\nM88_NPCE288_V2.4\r\nFT_SetLatencyTimer OK\r\n"),
            std::string::npos)
      << log;
}

TEST_F(CliTest, QueryWithoutAnAnsweringJigExitsTwo) {
  struct Case { const char* bench; const char* out; };
  const Case cases[] = {
      {"", "FTDI device not found\n"},
      {"[jig]\nfirmware = NPCE\nfault = silent\n", "FTDI found, ERROR answer\n"},
  };
  for (const Case& c : cases) {
    const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + Bench("c.bench", c.bench) + " query");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, c.out);
  }
}

TEST_F(CliTest, CheckPrintsTheRowsLinesAndExitsByResult) {
  struct Case { const char* row; const char* bench; int status; const char* out; };
  const Case cases[] = {
      {"kb90", "[jig]\nfirmware = ENE_EDID_KB\n", 0,
       "Number of VCOM ports found on the machine: 1\nVersion FW -> ENE_EDID_KB_V3.7\n"
       "Communication with programmer installed.\n"},
      {"npce-spi", "[jig]\nfirmware = ENE_EDID_KB\n", 3,
       "Number of VCOM ports found on the machine: 1\nVersion FW -> ENE_EDID_KB_V3.7\n"
       "It is necessary to update the firmware programmer!\n"},
      {"edid", "", 2, "VCOM port is not found on the machine!\n"},
      {"ite", "[jig]\nfirmware = ITE2\n", 0,
       "Number of VCOM ports found on the machine: 1\nProgrammer FW version -> ITE2_PROJ_M88_V1.9\n"
       "Communication with programmer installed.\n"},
      {"keyboard", "[jig]\nfirmware = ENE_EDID_KB\n", 0, ""},
  };
  for (const Case& c : cases) {
    const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + Bench("c.bench", c.bench) + " check " + c.row);
    EXPECT_EQ(run.status, c.status) << c.row;
    EXPECT_EQ(run.out, c.out) << c.row;
  }
}

TEST_F(CliTest, BadUsageExitsOneWithNothingOnStdout) {
  const auto bench = Bench("b.bench", "[jig]\nfirmware = NPCE\n");
  for (const std::string args : {"", "frobnicate", "check", "check nope", "query extra", "--sim"}) {
    const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + bench + " " + args + " 2>/dev/null");
    EXPECT_EQ(run.status, 1) << args;
    EXPECT_EQ(run.out, "") << args;
  }
}

TEST_F(CliTest, TraceRecordsTheQuery) {
  const auto bench = Bench("b.bench", "[jig]\nfirmware = NPCE\ntag = X\n");
  const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + bench + " --trace t.txt query");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(testsupport::ReadFile(dir / "t.txt"), "O 0\nB 921600\nW 42\nR 58\nC\n");
}

TEST_F(CliTest, StartPrintsTheUpdateWindowsLinesAndExitsByOutcome) {
  struct Case {
    const char* bench;
    const char* mode;
    int status;
    const char* out;
  };
  const Case cases[] = {
      {"[jig]\nfirmware = ENE_EDID_KB\n", "EDID lcd", 0,
       "Current version of FW -> ENE_EDID_KB_V3.7\nUser select -> EDID lcd\n"},
      // The jig does not answer, and nobody presses its reset button.
      {"[jig]\nfirmware = NPCE\nfault = silent\n", "ITE", 1,
       "Current version of FW -> FTDI found, ERROR answer\nUser select -> ITE\n"
       "*** PLEASE PUSH RESET BUTTON ! ***\n"
       "You did not press the reset button or error response BOOT_loader\n"},
      {"", "ENE KB90XX", 2, ""},
      {"[jig]\nfirmware = M328_EPM240\n", "ITE", 3, ""},
      {"[jig]\nfirmware = NPCE\n", "Please select ", 1, ""},
      {"[jig]\nfirmware = NPCE\n", "ene kb90xx", 1, ""},
  };
  for (const Case& c : cases) {
    const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + Bench("c.bench", c.bench) + " start '" +
                                             c.mode + "' 2>/dev/null");
    EXPECT_EQ(run.status, c.status) << c.mode;
    EXPECT_EQ(run.out, c.out) << c.mode;
  }
  const std::string log = testsupport::ReadFile(dir / "Start_log.txt");
  EXPECT_NE(log.find("User select -> EDID lcd\r\nGo to application. End.\r\n"), std::string::npos) << log;
}

TEST_F(CliTest, StartShowsItsDialogsTextsOnStderr) {
  const auto bench = Bench("b.bench", "");
  const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + bench + " start 'ENE KB90XX' 2>err.txt");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  const std::string err = testsupport::ReadFile(dir / "err.txt");
  EXPECT_NE(err.find("JIG not connected to the USB port!\n"), std::string::npos) << err;
}

TEST_F(CliTest, ScreenshotDrawsEveryWindowIntoTheFolder) {
  const auto bench = Bench("b.bench", "[jig]\nfirmware = NPCE\n");
  const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + bench + " screenshot shots");
  EXPECT_EQ(run.status, 0);
  std::string expected;
  for (const char* window : {"Form1", "EDID_form", "KB901X_forms", "Keyboard_testing", "MEC16_Form",
                             "ITE_FORM", "NPCE_FORM", "UPDATE_FORM", "Form_NUVOTON_JTAG", "VirtualBench"}) {
    const std::string file = std::string("shots/") + window + ".png";
    expected += file + "\n";
    EXPECT_GT(std::filesystem::file_size(dir / file), 0u) << file;
  }
  EXPECT_EQ(run.out, expected);
}

TEST_F(CliTest, QueryAndCheckThroughTheTtyBackendAgainstJigsim) {
  const auto bench = Bench("b.bench", "[jig]\nfirmware = ENE_EDID_KB\n");
  const CliRun query = RunIn(dir.Path(), testsupport::CliOverJigsim(bench, "query"));
  EXPECT_EQ(query.status, 0);
  EXPECT_EQ(query.out, "ENE_EDID_KB_V3.7\n");
  const CliRun check = RunIn(dir.Path(), testsupport::CliOverJigsim(bench, "check kb90"));
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.out,
            "Number of VCOM ports found on the machine: 1\nVersion FW -> ENE_EDID_KB_V3.7\n"
            "Communication with programmer installed.\n");
}

}  // namespace
