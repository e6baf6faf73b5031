// Finding the jig: Start's search with its start log, and every window's
// programmer check, on the in-process bench and over pseudo-terminals.
#include <gtest/gtest.h>

#include <regex>

#include "support/BenchDriver.h"
#include "support/TempDir.h"
#include "link/CheckProgrammer.h"
#include "link/QueryJigVersion.h"
#include "link/TextHelpers.h"

namespace {

using namespace qjig;
using testsupport::Backend;
using testsupport::BenchDriver;

const std::string kEne = "[jig]\nfirmware = ENE_EDID_KB\n";
const std::string kNpce = "[jig]\nfirmware = NPCE\n";
const std::string kSilent = "[jig]\nfirmware = ENE_EDID_KB\nfault = silent\n";

// Log lines with the date and the driver's version number made neutral.
std::vector<std::string> LogLines(const std::filesystem::path& file) {
  const std::string text = testsupport::ReadFile(file);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    std::string line = text.substr(start, end - start);
    line = std::regex_replace(line, std::regex(R"(^FT_GetDriverVersion OK    \(\d+\)$)"),
                              "FT_GetDriverVersion OK    (<n>)");
    lines.push_back(line);
  }
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

const std::vector<std::string> kBanner = {"**************************************", "<date>",
                                          "**************************************"};

std::vector<std::string> SetupLines(int n) {
  return {"Open  numDevs -> " + std::to_string(n), "FT_Open OK", "FT_GetDriverVersion OK    (<n>)",
          "FT_ResetDevice OK", "FT_SetBaudRate OK", "FT_SetDataCharacteristics OK", "FT_SetTimeouts OK"};
}

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class JigSearchTest : public ::testing::TestWithParam<Backend> {
 protected:
  testsupport::TempDir dir;
};

struct QueryCase {
  const char* name;
  std::string bench;
  std::string tag;
  std::vector<std::string> log;  // after the banner
  int openJig;                   // the jig the start link holds, -1 for none
};

TEST_P(JigSearchTest, StartSearchLogsEveryStepAndKeepsTheRightDevice) {
  const std::vector<QueryCase> cases = {
      {"no device", "", "FTDI device not found", {"Error numDevs = 0"}, -1},
      {"one jig answers", kNpce, "M88_NPCE288_V2.4",
       Join({SetupLines(1), {"Read answer version bytes -> 16", "M88_NPCE288_V2.4", "FT_SetLatencyTimer OK"}}),
       0},
      {"highest number decides", kEne + kNpce, "M88_NPCE288_V2.4",
       Join({SetupLines(2), {"Read answer version bytes -> 16", "M88_NPCE288_V2.4", "FT_SetLatencyTimer OK"}}),
       1},
      {"silent jig skipped", kEne + kSilent, "ENE_EDID_KB_V3.7",
       Join({SetupLines(2), {"Read answer version bytes -> 0"}, SetupLines(1),
             {"Read answer version bytes -> 16", "ENE_EDID_KB_V3.7", "FT_SetLatencyTimer OK"}}),
       0},
      {"nobody answers", kSilent + kSilent, "FTDI found, ERROR answer",
       Join({SetupLines(2), {"Read answer version bytes -> 0"}, SetupLines(1),
             {"Read answer version bytes -> 0", "NOT ANSWER "}}),
       0},
      {"reply ends in CR LF", "[jig]\nfirmware = NPCE\ntag = \"NPCE v2-1\\r\\n\"\n", "NPCE v2 1  ",
       Join({SetupLines(1), {"Read answer version bytes -> 11", "NPCE v2 1  ", "FT_SetLatencyTimer OK"}}),
       0},
  };
  for (const QueryCase& c : cases) {
    SCOPED_TRACE(c.name);
    BenchDriver bench(GetParam(), c.bench);
    const auto logFile = dir / (std::string(c.name) + ".txt");
    JigLink link(bench.Driver());
    EXPECT_EQ(QueryJigVersion(link, false, logFile), c.tag);

    auto lines = LogLines(logFile);
    ASSERT_GE(lines.size(), 3u);
    lines[1] = "<date>";
    EXPECT_EQ(lines, Join({kBanner, c.log}));

    // The start link is the jig named, and it still talks.
    EXPECT_EQ(link.IsOpen(), c.openJig >= 0);
    if (c.openJig >= 0 && c.tag != std::string(kTagNoAnswer)) {
      EXPECT_EQ(PrintableText(link.Buffer().data(), link.QueryVersion()), c.tag);
    }
  }
}

TEST_P(JigSearchTest, StartSearchClosesWhenAsked) {
  BenchDriver bench(GetParam(), kEne + kSilent);
  JigLink link(bench.Driver());
  EXPECT_EQ(QueryJigVersion(link, true, dir / "log.txt"), "ENE_EDID_KB_V3.7");
  EXPECT_FALSE(link.IsOpen());
  // Nothing was left open: both devices open again.
  JigLink again(bench.Driver());
  ASSERT_EQ(again.ListDevices(), FtStatus::Ok);
  EXPECT_EQ(again.Open(0), FtStatus::Ok);
  EXPECT_EQ(again.Open(1), FtStatus::Ok);
}

TEST_P(JigSearchTest, TwoStartsAppendTwoBannersAndKeepEarlierContent) {
  const auto logFile = dir / "Start_log.txt";
  testsupport::WriteFile(logFile, "earlier line\r\n");
  BenchDriver bench(GetParam(), "");
  for (int start = 0; start < 2; ++start) {
    JigLink link(bench.Driver());
    QueryJigVersion(link, false, logFile);
  }
  auto lines = LogLines(logFile);
  ASSERT_EQ(lines.size(), 9u);
  lines[2] = lines[6] = "<date>";
  EXPECT_EQ(lines, Join({{"earlier line"}, kBanner, {"Error numDevs = 0"}, kBanner, {"Error numDevs = 0"}}));
}

struct CheckCase {
  const char* name;
  CheckWindow window;
  std::string bench;
  CheckResult result;
  std::vector<std::string> lines;  // of the (first) message box
};

TEST_P(JigSearchTest, ProgrammerCheckPerWindowRow) {
  const std::string count1 = "Number of VCOM ports found on the machine: 1";
  const std::string count2 = "Number of VCOM ports found on the machine: 2";
  const std::string installed = "Communication with programmer installed.";
  const std::string update = "It is necessary to update the firmware programmer!";
  const std::string notFound = "The programmer is not found or does not respond";
  const std::vector<CheckCase> cases = {
      {"no device", CheckWindow::Kb90, "", CheckResult::NotFound, {"VCOM port is not found on the machine!"}},
      {"kb90 ready", CheckWindow::Kb90, kEne, CheckResult::Ready,
       {count1, "Version FW -> ENE_EDID_KB_V3.7", installed}},
      {"kb90 wrong firmware", CheckWindow::Kb90, kNpce, CheckResult::WrongFirmware,
       {count1, "Version FW -> M88_NPCE288_V2.4", update}},
      {"first answer decides", CheckWindow::Kb90, kEne + kNpce, CheckResult::WrongFirmware,
       {count2, "Version FW -> M88_NPCE288_V2.4", update}},
      {"silent jig passed over", CheckWindow::Kb90, kEne + kSilent, CheckResult::Ready,
       {count2, "Version FW -> ENE_EDID_KB_V3.7", installed}},
      {"kb90 silent", CheckWindow::Kb90, kSilent, CheckResult::NotFound, {count1, notFound}},
      {"edid silent", CheckWindow::Edid, kSilent, CheckResult::NotFound,
       {count1, "-->  The programmer is not found or does not respond"}},
      {"mec takes any tag", CheckWindow::Mec, kNpce, CheckResult::Ready, {"Version FW -> M88_NPCE288_V2.4"}},
      {"npce spi ready", CheckWindow::NpceSpi, kNpce, CheckResult::Ready,
       {count1, "Version FW -> M88_NPCE288_V2.4", installed}},
      {"npce jtag on a CPLD jig", CheckWindow::NpceJtag, "[jig]\nfirmware = M328_EPM240\n", CheckResult::Ready,
       {}},
      {"npce jtag wrong firmware", CheckWindow::NpceJtag, kEne, CheckResult::WrongFirmware, {update}},
      {"npce jtag silent", CheckWindow::NpceJtag, kSilent, CheckResult::NotFound, {notFound}},
      // The keyboard tester has no message box: results only.
      {"keyboard ready", CheckWindow::Keyboard, kEne, CheckResult::Ready, {}},
      {"keyboard wrong firmware", CheckWindow::Keyboard, kNpce, CheckResult::WrongFirmware, {}},
      {"keyboard no device", CheckWindow::Keyboard, "", CheckResult::NotFound, {}},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.name);
    BenchDriver bench(GetParam(), c.bench);
    JigLink link(bench.Driver());
    std::vector<std::string> lines;
    std::vector<LineSink> boxes;
    if (c.window != CheckWindow::Keyboard)
      boxes.emplace_back([&lines](const std::string& line) { lines.push_back(line); });
    std::string tag;
    EXPECT_EQ(CheckProgrammer(link, CheckRowFor(c.window), boxes, tag), c.result);
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(link.IsOpen(), c.result == CheckResult::Ready);
    if (c.result == CheckResult::Ready) {
      EXPECT_EQ(PrintableText(link.Buffer().data(), link.QueryVersion()), tag);
    }
  }
}

TEST_P(JigSearchTest, WrongFirstTagEndsTheCheckWithoutTryingTheOtherJig) {
  BenchDriver bench(GetParam(), kEne + kNpce);
  JigLink link(bench.Driver());
  std::string tag;
  EXPECT_EQ(CheckProgrammer(link, CheckRowFor(CheckWindow::Kb90), {}, tag), CheckResult::WrongFirmware);
  EXPECT_EQ(bench.Jig(0).HostByteCount(), 0u);
  EXPECT_EQ(bench.Jig(1).HostByteCount(), 1u);
}

TEST_P(JigSearchTest, IteCheckWritesBothBoxes) {
  BenchDriver bench(GetParam(), "[jig]\nfirmware = ITE2\n");
  JigLink link(bench.Driver());
  std::vector<std::string> russian, english;
  const std::vector<LineSink> boxes = {[&](const std::string& l) { russian.push_back(l); },
                                       [&](const std::string& l) { english.push_back(l); }};
  std::string tag;
  EXPECT_EQ(CheckProgrammer(link, CheckRowFor(CheckWindow::Ite), boxes, tag), CheckResult::Ready);
  const std::string count = "Number of VCOM ports found on the machine: 1";
  const std::string installed = "Communication with programmer installed.";
  EXPECT_EQ(russian, (std::vector<std::string>{count, "Версия FW программатора -> ITE2_PROJ_M88_V1.9", installed}));
  EXPECT_EQ(english, (std::vector<std::string>{count, "Programmer FW version -> ITE2_PROJ_M88_V1.9", installed}));
}

INSTANTIATE_TEST_SUITE_P(Backends, JigSearchTest,
                         ::testing::Values(Backend::Sim, Backend::TtyOverPty),
                         [](const auto& info) { return testsupport::BackendName(info.param); });

}  // namespace
