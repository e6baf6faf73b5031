// The EDID window's commands as a technician's script runs them.
#include <gtest/gtest.h>

#include "CliRun.h"
#include "support/TempDir.h"
#include "targets/EdidEeprom.h"

namespace {

using testsupport::Cli;
using testsupport::CliRun;
using testsupport::ReadFile;
using testsupport::RunIn;
using testsupport::WriteFile;

class EdidCliTest : public ::testing::Test {
 protected:
  std::string Bench(const std::string& name, const std::string& text) {
    WriteFile(dir / name, text);
    return (dir / name).string();
  }
  testsupport::TempDir dir;
};

const std::string kEdidCheckLines =
    "Number of VCOM ports found on the machine: 1\nVersion FW -> ENE_EDID_KB_V3.7\n"
    "Communication with programmer installed.\n";

std::string PanelEdid() {
  const sim::Bytes edid = sim::SamplePanelEdid();
  return std::string(edid.begin(), edid.end());
}

// The lines that follow a dump, up to the end of the output.
std::string AfterDump(const std::string& out) {
  const std::size_t dumpEnd = out.find("\n\n", out.find("\n: "));
  return dumpEnd == std::string::npos ? "" : out.substr(dumpEnd + 2);
}

TEST_F(EdidCliTest, ReadSavesTheEepromAndWriteSendsAFile) {
  const auto bench = Bench("b.bench", "[jig]\nfirmware = ENE_EDID_KB\ntarget = edid-eeprom reply-pieces=5\n");
  const CliRun read = RunIn(dir.Path(), Cli() + " --sim " + bench + " edid read panel.bin 2>/dev/null");
  EXPECT_EQ(read.status, 0);
  EXPECT_TRUE(read.out.starts_with(kEdidCheckLines + "Reading EEPROM ...\n"
                                   "Reading from the EEPROM is completed successfully.\n\n"
                                   ": 00 FF FF FF FF FF FF 00 45 B8 60 15 00 00 00 00 ........E.......\n"))
      << read.out;
  EXPECT_EQ(AfterDump(read.out),
            "EDID base block is valid: header and checksum are right.\nSave the file: \npanel.bin\n");
  EXPECT_EQ(ReadFile(dir / "panel.bin"), PanelEdid());

  WriteFile(dir / "base.bin", PanelEdid().substr(0, 128));
  const CliRun write = RunIn(dir.Path(), Cli() + " --sim " + bench + " edid write base.bin 2>/dev/null");
  EXPECT_EQ(write.status, 0);
  EXPECT_EQ(AfterDump(write.out),
            "EDID base block is valid: header and checksum are right.\n"
            "Writing data to EEPROM is completed successfully.\n");
}

TEST_F(EdidCliTest, ExitsByWhatStoppedIt) {
  WriteFile(dir / "image.bin", std::string(256, '\x5A'));
  struct Case { const char* bench; const char* args; int status; std::string out; };
  const Case cases[] = {
      {"", "read x.bin", 2, "VCOM port is not found on the machine!\n"},
      {"[jig]\nfirmware = NPCE\n", "write image.bin", 3,
       "Number of VCOM ports found on the machine: 1\nVersion FW -> M88_NPCE288_V2.4\n"
       "It is necessary to update the firmware programmer!\n"},
      {"[jig]\nfirmware = ENE_EDID_KB\ntarget = edid-eeprom absent=yes\n", "read x.bin", 1,
       kEdidCheckLines + "Reading EEPROM ...\nEEPROM does not respond, check the connection !!!\n\n"},
      {"[jig]\nfirmware = ENE_EDID_KB\ntarget = edid-eeprom\n", "write missing.bin", 1, kEdidCheckLines + "\n"},
      {"[jig]\nfirmware = ENE_EDID_KB\ntarget = edid-eeprom\n", "erase x.bin", 1, ""},
      {"[jig]\nfirmware = ENE_EDID_KB\ntarget = edid-eeprom\n", "read", 1, ""},
  };
  for (const Case& c : cases) {
    const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + Bench("c.bench", c.bench) + " edid " + c.args +
                                             " 2>/dev/null");
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_EQ(run.out, c.out) << c.args;
  }
  const auto bench = Bench("p.bench", "[jig]\nfirmware = ENE_EDID_KB\ntarget = edid-eeprom write-protect=yes\n");
  const CliRun run = RunIn(dir.Path(), Cli() + " --sim " + bench + " edid write image.bin 2>/dev/null");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(AfterDump(run.out),
            "EDID base block is not valid: its header is not 00 FF FF FF FF FF FF 00.\n"
            "EEPROM does not respond, or write error! WP 7 pin = '0' ?\n");
}

// Over a pseudo-terminal the reply's pieces reach the tty backend's poll()
// as they leave the jig.
TEST_F(EdidCliTest, ReadThroughTheTtyBackendAgainstJigsim) {
  const auto bench = Bench("b.bench", "[jig]\nfirmware = ENE_EDID_KB\ntarget = edid-eeprom reply-pieces=7\n");
  const CliRun run = RunIn(dir.Path(), testsupport::CliOverJigsim(bench, "edid read panel.bin >/dev/null 2>&1"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadFile(dir / "panel.bin"), PanelEdid());
}

}  // namespace
