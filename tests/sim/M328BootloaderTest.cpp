// The version-3 jigs' M328 bootloader: reached by the reset button only,
// then synchronised with '+' and fed in blocks of 128 bytes.
#include <gtest/gtest.h>

#include "JigHost.h"
#include "firmwares/ImageTag.h"

namespace {

using namespace simtest;

const std::string kM328Bench = "[jig]\nfirmware = M328_EPM240\n";

TEST(M328Bootloader, OnlyTheResetButtonStartsIt) {
  auto jig = BuildJig(kM328Bench);
  JigHost host(*jig);
  EXPECT_EQ(host.Ask("?"), "");
  EXPECT_EQ(host.Ask("+"), "");
  EXPECT_EQ(jig->RunningFirmware(), "application");
  jig->PressReset();
  EXPECT_EQ(jig->RunningFirmware(), "M328 bootloader");
  EXPECT_EQ(host.Ask("\x42"), "");
  const std::string sync = host.Ask("+");
  ASSERT_GE(sync.size(), 7u);
  EXPECT_EQ(sync[0], 'V');
  EXPECT_EQ(sync[2], 'S');
}

TEST(M328Bootloader, RunsTheApplicationItReceived) {
  struct Case { sim::Bytes image; const char* runs; const char* tag; };
  const Case cases[] = {
      // Over a hundred blocks, the tag in the last one, which is not full.
      {ImageWithTag("M328_EPM240_v20", 13000, 13030), "application", "M328_EPM240_v20"},
      {ImageWithTag("M88_NPCE288_V2.4"), "unknown application", ""},
  };
  for (const Case& c : cases) {
    auto jig = BuildJig(kM328Bench);
    JigHost host(*jig);
    jig->PressReset();
    UploadM328(host, c.image);
    EXPECT_EQ(jig->RunningFirmware(), c.runs) << c.tag;
    EXPECT_EQ(jig->FirmwareTag(), c.tag);
    EXPECT_EQ(host.Ask("\x42"), c.tag);
  }
}

TEST(M328Bootloader, Faults) {
  std::string block = sim::ImageTagBytes("M328_EPM240_v20");
  block.resize(128, '\xFF');
  struct Step { std::string send; std::string reply; };
  struct Case { const char* fault; std::vector<Step> steps; const char* runs; };
  const Case cases[] = {
      {"bad-sync 2", {{"+", "U3S_M328"}, {"+", "U3S_M328"}, {"+", "V3S_M328"}, {"+", "V3S_M328"}},
       "M328 bootloader"},
      {"refuse-block-request 1", {{"W", "G"}, {block, "+"}, {"W", "E"}, {"X", ""}}, "application"},
      // A refused block is not written: what runs names nothing.
      {"refuse-block 0", {{"W", "G"}, {block, "E"}, {"X", ""}}, "unknown application"},
      {"refuse-block 1", {{"W", "G"}, {block, "+"}, {"W", "G"}, {block, "E"}, {"X", ""}}, "application"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    auto jig = BuildJig(kM328Bench + "fault = " + c.fault + "\n");
    JigHost host(*jig);
    jig->PressReset();
    for (const Step& step : c.steps) EXPECT_EQ(host.Ask(step.send), step.reply);
    EXPECT_EQ(jig->RunningFirmware(), c.runs);
  }
}

}  // namespace
