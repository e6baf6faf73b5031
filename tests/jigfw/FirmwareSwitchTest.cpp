// The firmware switch worker's body against the virtual jig: every path from
// "already right" to "the jig stopped answering", M88 and version-3 boards.
#include <gtest/gtest.h>

#include <thread>

#include "jigfw/FirmwareSwitch.h"
#include "link/QueryJigVersion.h"
#include "support/BenchDriver.h"
#include "support/HexText.h"
#include "support/RecordingWindow.h"
#include "support/TempDir.h"

namespace {

using namespace qjig;
using namespace std::chrono_literals;
using testsupport::Backend;
using testsupport::BenchDriver;
using testsupport::RecordingWindow;

const std::string kNpceJig = "[jig]\nfirmware = NPCE\n";
const std::string kIteTag = "ITE2_PROJ_M88_V1.9";

// A bench, the image folder, and Start's search done as Start does it.
class Switch {
 public:
  explicit Switch(const std::string& bench, std::chrono::milliseconds bootLimit = 5s)
      : window(bootLimit), jigs_(Backend::Sim, bench), start_(jigs_.Driver()) {
    WriteImage("ITE2_PROJ_M88.hex", kIteTag, 0x0FEF);
    WriteImage("ENE_EDID_KB.hex", "ENE_EDID_KB_V3.7", 0x17FF);
  }

  void WriteImage(const std::string& file, const std::string& tag, std::uint16_t last) {
    testsupport::WriteFile(images_ / file, testsupport::JigImageHex(tag, last));
  }
  void WriteFile(const std::string& file, const std::string& text) {
    testsupport::WriteFile(images_ / file, text);
  }
  std::filesystem::path ImagePath(const std::string& file) { return images_ / file; }

  void Run(const std::string& mode) {
    const std::string tag = QueryJigVersion(start_, false, Log());
    bytesBefore_ = jigs_.Jig(0).HostByteCount();
    RunFirmwareSwitch(start_, tag, mode, ImageFolders{{images_.Path()}}, window, Log());
  }
  // What the jig answers now.
  std::string TagAfter() {
    JigLink link(jigs_.Driver());
    return QueryJigVersion(link, true, Log());
  }
  std::uint64_t BytesSentBySwitch() { return jigs_.Jig(0).HostByteCount() - bytesBefore_; }
  bool StartLinkOpen() const { return start_.IsOpen(); }
  std::string LogText() { return testsupport::ReadFile(Log()); }
  BenchDriver& Jigs() { return jigs_; }

  RecordingWindow window;

 private:
  std::filesystem::path Log() { return images_ / "Start_log.txt"; }

  testsupport::TempDir images_;
  BenchDriver jigs_;
  JigLink start_;
  std::uint64_t bytesBefore_ = 0;
};

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(FirmwareSwitch, TagAlreadyRightOpensTheModeWindowAndSendsNothing) {
  Switch s("[jig]\nfirmware = ENE_EDID_KB\n");
  s.Run("EDID lcd");
  EXPECT_EQ(s.window.Events(), (std::vector<std::string>{
                                   "show update", "line: Current version of FW -> ENE_EDID_KB_V3.7",
                                   "line: User select -> EDID lcd", "mode window", "hide update"}));
  EXPECT_EQ(s.BytesSentBySwitch(), 0u);
  EXPECT_FALSE(s.StartLinkOpen());
}

TEST(FirmwareSwitch, FullSwitchWhenTheJigAnswersTheBootCommand) {
  Switch s(kNpceJig);
  s.Run("ITE");
  const auto lines = s.window.Lines();
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
            (std::vector<std::string>{"Current version of FW -> M88_NPCE288_V2.4", "User select -> ITE",
                                      "Command go to BOOT ... "}));
  // The banner in hex up to its 0x11, then as text.
  EXPECT_EQ(lines[3].substr(lines[3].size() - 2), "11");
  EXPECT_EQ(lines[4].rfind("BOOT M88 connected - ", 0), 0u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 5, lines.end()),
            (std::vector<std::string>{
                "Update firmware ... ", "UPGRADE file loaded to buffer (" + s.ImagePath("ITE2_PROJ_M88.hex").string() + ")",
                "Bytes read from file " + std::to_string(testsupport::JigImageHex(kIteTag, 0x0FEF).size()),
                "HEX position_buff 0FEF", "отправлено EOF корректно", "Exit from BOOT and RUN ... "}));
  const auto events = s.window.EventsWithoutGauge();
  EXPECT_EQ(std::vector<std::string>(events.end() - 2, events.end()),
            (std::vector<std::string>{"hide update", "mode window"}));
  EXPECT_EQ(s.window.Count("gauge max 4079"), 1);
  EXPECT_EQ(s.window.Count("gauge 4080"), 1);
  EXPECT_FALSE(s.StartLinkOpen());
  EXPECT_EQ(s.TagAfter(), kIteTag);
}

TEST(FirmwareSwitch, ImageEndingAt17FFGoesOutAs384Records) {
  Switch s(kNpceJig);
  s.Run("ENE KB90XX");
  EXPECT_EQ(s.window.Count("gauge max 6143"), 1);
  EXPECT_EQ(s.window.Count("gauge ") - s.window.Count("gauge max") - 1, 384);  // less the reset to 0
  EXPECT_EQ(s.TagAfter(), "ENE_EDID_KB_V3.7");
}

TEST(FirmwareSwitch, ImageOfOneByteGoesOutAsOneRecord) {
  Switch s(kNpceJig);
  s.WriteFile("ITE2_PROJ_M88.hex", testsupport::HexRecord(0, {0x01}) + testsupport::kHexEnd);
  s.Run("ITE");
  EXPECT_EQ(s.window.Count("gauge 16"), 1);
  EXPECT_EQ(s.window.Count("gauge max 0"), 1);
  EXPECT_EQ(s.window.Events().back(), "mode window");
}

TEST(FirmwareSwitch, BootloaderReachedThroughTheResetButton) {
  struct Case {
    const char* name;
    std::string bench;
    std::vector<std::string> before;  // lines before the bootloader answered
  };
  const std::vector<Case> cases = {
      {"no answer to the boot command", kNpceJig + "fault = no-boot-answer\nreset-press = 300\n",
       {"Current version of FW -> M88_NPCE288_V2.4", "User select -> ITE", "Command go to BOOT ... ",
        "*** FAULT ANSWER. PLEASE push reset button ***"}},
      {"jig stuck in its bootloader", kNpceJig + "boot = yes\n",
       {"Current version of FW -> FTDI found, ERROR answer", "User select -> ITE",
        "*** PLEASE PUSH RESET BUTTON ! ***"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Switch s(c.bench);
    s.Run("ITE");
    const auto lines = s.window.Lines();
    ASSERT_GT(lines.size(), c.before.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + c.before.size()), c.before);
    EXPECT_EQ(lines.back(), "Exit from BOOT and RUN ... ");
    EXPECT_EQ(s.TagAfter(), kIteTag);
  }
}

TEST(FirmwareSwitch, BootloaderNeverReached) {
  const std::string noBoot = "You did not press the reset button or error response BOOT_loader";
  const std::string push = "*** PLEASE PUSH RESET BUTTON ! ***";
  struct Case {
    const char* name;
    std::string bench;
    std::vector<std::string> tail;
  };
  const std::vector<Case> cases = {
      {"nobody pressed the reset button in time", kNpceJig + "fault = no-boot-answer\n",
       {"*** FAULT ANSWER. PLEASE push reset button ***", noBoot}},
      {"three banners without 0x11", kNpceJig + "fault = bad-banner\n", {push, push, noBoot}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Switch s(c.bench, 500ms);
    s.Run("ITE");
    const auto lines = s.window.Lines();
    ASSERT_GE(lines.size(), c.tail.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - c.tail.size(), lines.end()), c.tail);
    EXPECT_EQ(s.window.Events().back(), "exit");
    EXPECT_FALSE(s.StartLinkOpen());
  }
}

TEST(FirmwareSwitch, RecordRepliesAndBadImages) {
  struct Case {
    const char* name;
    std::string bench;
    std::string image;  // empty: the good one
    std::vector<std::string> tail;
    bool modeWindow;
  };
  const std::vector<Case> cases = {
      {"'-' second in a 2-byte reply is success", kNpceJig + "fault = record-reply 3 \"-E\"\n", "",
       {"отправлено EOF корректно", "Exit from BOOT and RUN ... "}, true},
      {"'-' second in a 4-byte reply is a refusal", kNpceJig + "fault = record-reply 3 \"E-RR\"\n", "",
       {"ERROR FW upgrade!", "Flashing M88 error!"}, false},
      {"image with a type 04 record", kNpceJig,
       testsupport::HexRecord(0, {0, 0}, 0x04) + testsupport::kHexEnd,
       {"Wrong file format!", "Error format .hex file for M88!"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Switch s(c.bench);
    if (!c.image.empty()) s.WriteFile("ITE2_PROJ_M88.hex", c.image);
    s.Run("ITE");
    const auto lines = s.window.Lines();
    ASSERT_GE(lines.size(), c.tail.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - c.tail.size(), lines.end()), c.tail);
    EXPECT_EQ(s.window.Events().back(), c.modeWindow ? "mode window" : "exit");
    EXPECT_FALSE(s.StartLinkOpen());
  }
}

TEST(FirmwareSwitch, MissingImageStillRestartsTheJig) {
  Switch s(kNpceJig);
  s.Run("MEC jtag");
  const auto lines = s.window.Lines();
  EXPECT_EQ(lines.back(), "Not found .hex file -> " + s.ImagePath("M88_jtag.hex").string() +
                              " for M88 in the program folder ");
  EXPECT_EQ(s.window.Events().back(), "exit");
  // The bootloader was told to run what it holds: the jig answers again.
  EXPECT_EQ(s.TagAfter(), "M88_NPCE288_V2.4");
}

TEST(FirmwareSwitch, JigPulledOutDuringTheUploadEndsWithExit) {
  Switch s(kNpceJig + "fault = unplug-after 2000\n");
  const auto start = std::chrono::steady_clock::now();
  s.Run("ENE KB90XX");
  EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);
  EXPECT_TRUE(Has(s.window.Lines(), "Flashing M88 error!"));
  EXPECT_EQ(s.window.Events().back(), "exit");
  EXPECT_FALSE(s.StartLinkOpen());
}

// --- version-3 jigs -------------------------------------------------------

const std::string kOldV3 = "[jig]\nfirmware = M328_EPM240\ntag = M328_EPM240_v17\nreset-press = 200\n";

TEST(FirmwareSwitch, Version3JigAlreadyCurrent) {
  Switch s("[jig]\nfirmware = M328_EPM240\n");
  s.Run("MEC jtag");
  EXPECT_EQ(s.window.Events(),
            (std::vector<std::string>{"show update", "hide update", "gauge 0", "mode window"}));
  EXPECT_EQ(s.BytesSentBySwitch(), 0u);
}

TEST(FirmwareSwitch, Version3UpdateSendsTheFileInBlocks) {
  struct Case {
    std::size_t fileSize;
    std::size_t loaded;
    int blocks;
  };
  // A file as long as the update buffer or longer goes up to the buffer's
  // end and no block beyond it.
  for (const Case c : {Case{300, 300, 3}, Case{256, 256, 3}, Case{127, 127, 1}, Case{131072, 131072, 1024},
                       Case{140000, 131072, 1024}}) {
    SCOPED_TRACE(c.fileSize);
    Switch s(kOldV3);
    std::string file = "QXTAG=M328_EPM240_v19";
    file += '\0';
    file.resize(c.fileSize, 'A');
    s.WriteFile("M328_EPM240_v19.vss", file);
    s.Run("MEC jtag");
    const auto lines = s.window.Lines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Loaded to buffer bytes (dec): " + std::to_string(c.loaded));
    EXPECT_EQ(lines[1], "Founded FTDI device, wait answer. (RESET pushed?)");
    EXPECT_EQ(lines[2].rfind("Readed bytes answer -> ", 0), 0u);
    EXPECT_EQ(lines[3].rfind("Readed bytes (hex)  -> 56", 0), 0u);
    EXPECT_EQ(lines[4], "Bootloader M328 ANSWER_OK");
    EXPECT_EQ(lines.back(), "UPDATE completed successfully.");
    EXPECT_EQ(s.window.Count("gauge max " + std::to_string(c.loaded / 128)), 1);
    EXPECT_EQ(s.window.Count("gauge " + std::to_string(c.blocks)), 1);
    EXPECT_EQ(s.window.Count("gauge " + std::to_string(c.blocks + 1)), 0);
    EXPECT_EQ(s.window.Events().back(), "mode window");
    EXPECT_EQ(s.TagAfter(), "M328_EPM240_v19");
    const std::string log = s.LogText();
    EXPECT_NE(log.find("JIG ver3 start update FW\r\nBootloader answer OK\r\nUPDATE FW successfully.\r\n"),
              std::string::npos);
  }
}

TEST(FirmwareSwitch, Version3SyncDiscardsAnswersOfTheWrongShape) {
  Switch s(kOldV3 + "fault = bad-sync 2\n");
  s.WriteFile("M328_EPM240_v19.vss", std::string(200, 'A'));
  s.Run("MEC jtag");
  const auto lines = s.window.Lines();
  EXPECT_TRUE(Has(lines, "Bootloader M328 ANSWER_OK"));
  EXPECT_EQ(lines.back(), "UPDATE completed successfully.");
}

TEST(FirmwareSwitch, Version3Failures) {
  struct Case {
    const char* name;
    std::string bench;
    bool writeFile;
    std::string lastLine;
    std::string logTail;
  };
  const std::vector<Case> cases = {
      {"block request refused", kOldV3 + "fault = refuse-block-request 1\n", true,
       "ERROR protocol! Update stopped.(G)", "ERROR protocol! Update stopped.(G)\r\n"},
      {"block refused", kOldV3 + "fault = refuse-block 0\n", true, "ERROR protocol! Update stopped.(+)",
       "ERROR protocol! Update stopped.(+)\r\n"},
      {"two devices", kOldV3 + kOldV3, true, "Please disconnect other device and replay!",
       "JIG ver3 start update FW\r\nJIG ver3 start update FW\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Switch s(c.bench);
    if (c.writeFile) s.WriteFile("M328_EPM240_v19.vss", std::string(300, 'A'));
    s.Run("MEC jtag");
    EXPECT_EQ(s.window.Lines().back(), c.lastLine);
    const std::string log = s.LogText();
    EXPECT_EQ(log.substr(log.size() - c.logTail.size()), c.logTail);
    const auto events = s.window.Events();
    EXPECT_EQ(std::vector<std::string>(events.end() - 2, events.end()),
              (std::vector<std::string>{"exit", "show main"}));
  }
}

TEST(FirmwareSwitch, ClosingTheProgramEndsTheWaitForTheResetButton) {
  for (const std::string& bench : {kNpceJig + "fault = no-boot-answer\n",
                                   std::string("[jig]\nfirmware = M328_EPM240\ntag = M328_EPM240_v17\n")}) {
    SCOPED_TRACE(bench);
    Switch s(bench, 60s);
    s.WriteFile("M328_EPM240_v19.vss", std::string(300, 'A'));
    std::thread closer([&s] {
      std::this_thread::sleep_for(200ms);
      s.window.stopRequested = true;
    });
    const auto start = std::chrono::steady_clock::now();
    s.Run(bench.find("M328") != std::string::npos ? "MEC jtag" : "ITE");
    closer.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
    EXPECT_FALSE(s.StartLinkOpen());
    EXPECT_EQ(s.window.Count("exit"), 1);
  }
}

TEST(FirmwareSwitch, Version3FileMissing) {
  Switch s(kOldV3);
  s.Run("MEC jtag");
  EXPECT_EQ(s.window.Lines(),
            std::vector<std::string>{"ERROR open file " + s.ImagePath("M328_EPM240_v19.vss").string()});
}

}  // namespace
