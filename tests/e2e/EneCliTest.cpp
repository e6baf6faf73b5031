// The KB90xx window's commands as a technician's script runs them.
#include <gtest/gtest.h>

#include <regex>

#include "CliRun.h"
#include "support/TempDir.h"

namespace {

using testsupport::Cli;
using testsupport::CliRun;
using testsupport::RunIn;

const std::string kEneJig = "[jig]\nfirmware = ENE_EDID_KB\n";
const std::string kCheckLines =
    "Number of VCOM ports found on the machine: 1\nVersion FW -> ENE_EDID_KB_V3.7\n"
    "Communication with programmer installed.\n";
const std::string kChipLines = "Communication with KB90XX installed.\nEmbedded Debug Version ID = 12\n";

// The time of day in the time lines changes from run to run.
std::string WithoutTimes(const std::string& out) {
  static const std::regex time("Current time  [^\n]*");
  return std::regex_replace(out, time, "Current time  ");
}

class EneCliTest : public ::testing::Test {
 protected:
  CliRun Run(const std::string& bench, const std::string& args) {
    testsupport::WriteFile(dir / "b.bench", bench);
    return RunIn(dir.Path(), Cli() + " --sim b.bench " + args + " 2>/dev/null");
  }
  testsupport::TempDir dir;
};

TEST_F(EneCliTest, ReadAndWritePrintTheMessageBoxAndExitByOutcome) {
  struct Case {
    const char* name;
    std::string bench;
    std::string args;
    int status;
    std::string out;
  };
  const std::string readTail = "Save the file: \nchip.bin\nReading KB90XX ...\nCurrent time  \n";
  const Case cases[] = {
      {"read", kEneJig + "target = kb9012\n", "ene read chip.bin", 0,
       kCheckLines + kChipLines + readTail + "Reading completed successfully.\nCurrent time  \n"},
      {"write", kEneJig + "target = kb9012\n", "ene write image.bin", 0,
       kCheckLines + kChipLines +
           "Write in KB90XX file:\nimage.bin\nThere is a writing KB90XX...\nCurrent time  \n"
           "Writing is completed ...\nVerification ...\n!!! Data is written correctly !!! \nCurrent time  \n"},
      {"read through the adapter", kEneJig + "target = kb9012\ntarget = brimex position=31-32\n",
       "ene read chip.bin --brimex", 0,
       kCheckLines + "BRIMEX found! (31-32)\n" + kCheckLines + kChipLines + readTail +
           "Reading completed successfully.\nCurrent time  \n"},
      {"no adapter board", kEneJig + "target = kb9012\n", "ene read chip.bin --brimex", 1,
       kCheckLines + "BRIMEX not found! Connected?\n"},
      {"contact lost", kEneJig + "target = kb9012 lost-at-block=3\n", "ene read chip.bin", 1,
       kCheckLines + kChipLines + readTail + "!!! Lost Communication with ENE or timeout !!! \nCurrent time  \n"},
      {"no chip", kEneJig + "target = kb9012 absent=yes\n", "ene write image.bin", 1,
       kCheckLines + "\nNo connection to the KB90XX!\nCheck the settings !\nMotherboard is connected / powered ?\n"},
      {"no jig", "", "ene read chip.bin", 2, "VCOM port is not found on the machine!\n"},
      {"another firmware", "[jig]\nfirmware = NPCE\n", "ene write image.bin", 3,
       "Number of VCOM ports found on the machine: 1\nVersion FW -> M88_NPCE288_V2.4\n"
       "It is necessary to update the firmware programmer!\n"},
  };
  testsupport::WriteFile(dir / "MB connection ENE.txt", "Board KSO3=1 KSI4=2 KSI5=3 KSI6=4 KSI7=5\r\n");
  testsupport::WriteFile(dir / "image.bin", std::string(131072, '\x5A'));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun run = Run(c.bench, c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(WithoutTimes(run.out), c.out);
  }
  EXPECT_EQ(testsupport::ReadFile(dir / "chip.bin").size(), 3u * 256 + 256);  // the last read lost block 3
}

TEST_F(EneCliTest, ReadThroughTheTtyBackendAgainstJigsim) {
  testsupport::WriteFile(dir / "b.bench", kEneJig + "target = kb9012\n");
  const CliRun run = RunIn(dir.Path(), testsupport::CliOverJigsim("b.bench", "ene read chip.bin 2>/dev/null"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(WithoutTimes(run.out), kCheckLines + kChipLines +
                                       "Save the file: \nchip.bin\nReading KB90XX ...\nCurrent time  \n"
                                       "Reading completed successfully.\nCurrent time  \n");
  EXPECT_EQ(testsupport::ReadFile(dir / "chip.bin").size(), 131072u);
}

TEST_F(EneCliTest, WiringPrintsTheLabelForABoardOfTheBaseHere) {
  struct Case {
    std::string args;
    int status;
    std::string out;
  };
  const Case cases[] = {
      {"--board Alpha --ffc 24", 0, "Please connect GND and:  A11 B3 C21 D9 E2\n"},
      {"--board Alpha --ffc 24 --reversed", 0, "Please connect GND and:  A14 B22 C4 D16 E23\n"},
      {"--board Alpha --ffc 20", 1, "Please select big pins FFC!\n"},
      {"--board Beta --ffc 30", 1, "Error data format!\n"},
      {"--board Gamma --ffc 30", 1, ""},
      {"--board Alpha --ffc 19", 1, ""},
  };
  testsupport::WriteFile(dir / "MB connection ENE.txt",
                         "Alpha 14 KSI5=2 KSI4=3 KSO3=11 KSI6=9 KSI7=21\r\nBeta KSO3=1\r\n");
  for (const Case& c : cases) {
    const CliRun run = Run(kEneJig, "ene wiring " + c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_EQ(run.out, c.out) << c.args;
  }
}

TEST_F(EneCliTest, WiringWithoutABaseSaysSo) {
  const CliRun run = Run(kEneJig, "ene wiring --board Vantis --ffc 30");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "Create base of connections KB90XX !\n");
}

TEST_F(EneCliTest, TheSampleBaseThatMakeRunUsesOffersItsBoards) {
  const auto sample = std::filesystem::path(testsupport::BuildDir()) / "MB connection ENE.txt";
  std::filesystem::copy_file(sample, dir / "MB connection ENE.txt");
  const CliRun run = Run(kEneJig, "ene wiring --board Vantis --ffc 30");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Please connect GND and:  A12 B5 C3 D9 E7\n");
}

TEST_F(EneCliTest, BadUsageExitsOneWithNothingOnStdout) {
  for (const std::string args : {"ene", "ene read", "ene read a.bin --brimax", "ene erase a.bin",
                                 "ene wiring --board X", "ene wiring --ffc 30"}) {
    const CliRun run = Run(kEneJig, args);
    EXPECT_EQ(run.status, 1) << args;
    EXPECT_EQ(run.out, "") << args;
  }
}

}  // namespace
