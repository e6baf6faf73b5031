// The M88 jigs' way into their bootloader and the bootloader's line
// protocol, as the host drives them through the bridge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "JigHost.h"
#include "firmwares/HexRecord.h"

namespace {

using namespace simtest;

TEST(M88Bootloader, ApplicationLeavesForItWhenAsked) {
  struct Case { const char* bench; const char* answer; const char* runs; };
  const Case cases[] = {
      {"firmware = ENE_EDID_KB\n", "!", "M88 bootloader"},
      {"firmware = NPCE\n", "!", "M88 bootloader"},
      {"firmware = ITE2\n", "!", "M88 bootloader"},
      {"firmware = V42\n", "!", "M88 bootloader"},
      {"firmware = NPCE\nfault = no-boot-answer\n", "", "application"},
      // The version-3 firmware has no way into its bootloader but the button.
      {"firmware = M328_EPM240\n", "", "application"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bench);
    auto jig = BuildJig(std::string("[jig]\n") + c.bench);
    const std::string tag = jig->FirmwareTag();
    JigHost host(*jig);
    EXPECT_EQ(host.Ask("?"), c.answer);
    EXPECT_EQ(jig->RunningFirmware(), c.runs);
    if (std::string(c.answer) == "!") {
      EXPECT_EQ(host.Ask("\x42"), "");  // the bootloader hears garbage at 921600
      host.SetBaud(kM88BootBaud);
      EXPECT_EQ(host.Ask("U"), kM88Banner);
    } else {
      EXPECT_EQ(host.Ask("\x42"), tag);
    }
  }
}

TEST(M88Bootloader, RunsTheApplicationItsImageNames) {
  struct Case { sim::Bytes image; const char* runs; const char* tag; };
  const Case cases[] = {
      {ImageWithTag("ITE2_PROJ_M88_V7.7"), "application", "ITE2_PROJ_M88_V7.7"},
      {ImageWithTag("M88_NPCE288_V9.9", 0xE0), "application", "M88_NPCE288_V9.9"},
      // Built for the other microcontroller, or for nothing known.
      {ImageWithTag("M328_EPM240_v19"), "unknown application", ""},
      {ImageWithTag("PLAIN_TEXT_V1"), "unknown application", ""},
      {sim::Bytes(0x100, 0x5A), "unknown application", ""},
  };
  for (const Case& c : cases) {
    auto jig = BuildJig("[jig]\nfirmware = NPCE\n");
    JigHost host(*jig);
    ASSERT_EQ(host.Ask("?"), "!");
    ProgramM88(host, RecordsOf(c.image));
    EXPECT_EQ(jig->RunningFirmware(), c.runs) << c.tag;
    EXPECT_EQ(jig->FirmwareTag(), c.tag);
    host.SetBaud(sim::kApplicationBaud);
    EXPECT_EQ(host.Ask("\x42"), c.tag);
  }
}

TEST(M88Bootloader, RefusesBadRecordsAndProgramsNothingFromThem) {
  // The image's only tag sits in record 4; refused, the image names nothing.
  const std::vector<std::string> records = RecordsOf(ImageWithTag("V42_SHORT"));
  const std::string& tagged = records[4];
  const auto lowerCase = [](std::string r) {
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return std::tolower(c); });
    return r;
  };
  const auto replaced = [](std::string r, std::size_t at, char c) { return r.replace(at, 1, 1, c); };
  sim::DataRecord beyond = *sim::ParseDataRecord(tagged);
  beyond.address = 0x1800;

  struct Case { const char* name; std::string record; bool erase; const char* runs; };
  const Case cases[] = {
      {"bad checksum", replaced(tagged, 42, tagged[42] == '0' ? '1' : '0'), true, "unknown application"},
      {"lower-case digits", lowerCase(tagged), true, "unknown application"},
      {"not a hex digit", replaced(tagged, 20, 'G'), true, "unknown application"},
      {"short", tagged.substr(0, 41), true, "unknown application"},
      {"beyond the flash", sim::FormatDataRecord(beyond), true, "unknown application"},
      // Without "pf" nothing is erased or written: the old application stays.
      {"before pf", tagged, false, "application"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto jig = BuildJig("[jig]\nfirmware = NPCE\n");
    JigHost host(*jig);
    ASSERT_EQ(host.Ask("?"), "!");
    host.SetBaud(kM88BootBaud);
    if (c.erase) host.Ask("pf\n");
    EXPECT_EQ(host.Ask(c.record + "\n"), "E-RR\x11");
    host.Ask("g\n");
    EXPECT_EQ(jig->RunningFirmware(), c.runs);
  }
}

TEST(M88Bootloader, RecordReplyFaultAnswersItsTextAndProgramsNothing) {
  const std::vector<std::string> records = RecordsOf(ImageWithTag("V42_SHORT"));
  for (const std::string text : {"-E", "E-RR", "E R"}) {
    SCOPED_TRACE(text);
    auto jig = BuildJig("[jig]\nfirmware = NPCE\nfault = record-reply 4 \"" + text + "\"\n");
    JigHost host(*jig);
    ASSERT_EQ(host.Ask("?"), "!");
    host.SetBaud(kM88BootBaud);
    // Records are counted from each "pf".
    for (int round = 0; round < 2; ++round) {
      host.Ask("pf\n");
      for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(host.Ask(records[i] + "\n"), i == 4 ? text + "\x11" : "OK\x11") << i;
    }
    host.Ask("g\n");
    EXPECT_EQ(jig->RunningFirmware(), "unknown application");
  }
}

TEST(M88Bootloader, BadBannerNeverCloses) {
  auto jig = BuildJig("[jig]\nfirmware = NPCE\nboot = yes\nfault = bad-banner\n");
  JigHost host(*jig, kM88BootBaud);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::string banner = host.Ask("U");
    EXPECT_FALSE(banner.empty());
    EXPECT_EQ(banner.find('\x11'), std::string::npos) << banner;
  }
}

TEST(M88Bootloader, SyncBytesArrivingWhileTheBannerGoesOutAreLost) {
  auto jig = BuildJig("wire-time = on\n[jig]\nfirmware = NPCE\nboot = yes\n");
  JigHost host(*jig, kM88BootBaud);
  jig->SetLatency(host.Session(), 1);
  const std::uint32_t banner = static_cast<std::uint32_t>(kM88Banner.size());
  std::uint32_t rx = 0;
  // Four 'U's back to back: the three behind the first come in while its
  // banner is still on the wire. Every byte has landed long before the wait
  // for a second banner gives up.
  host.Ask("UUUU");
  jig->WaitRx(host.Session(), 2 * banner, std::chrono::milliseconds(300), rx);
  EXPECT_EQ(rx, banner);
  EXPECT_EQ(host.Ask(""), kM88Banner);
  // Once the line is quiet, a 'U' is answered again.
  host.Ask("U");
  jig->WaitRx(host.Session(), banner, std::chrono::seconds(5), rx);
  EXPECT_EQ(host.Ask(""), kM88Banner);
}

}  // namespace
