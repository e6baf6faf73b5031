// The ENE_EDID_KB firmware's EEPROM commands against an edid-eeprom target:
// what a panel's EEPROM does at the bench, and what a bench author is told
// when the target line is wrong.
#include <gtest/gtest.h>

#include "TargetLineError.h"

#include <set>

#include "JigHost.h"
#include "JigMcu.h"
#include "targets/EdidEeprom.h"

namespace {

using namespace simtest;

const std::string kErased(256, '\xFF');

std::string Sample() {
  const sim::Bytes edid = sim::SamplePanelEdid();
  return std::string(edid.begin(), edid.end());
}

// 256 bytes no target holds: every byte differs from its neighbours.
std::string NewImage() {
  std::string image;
  for (int i = 0; i < 256; ++i) image += static_cast<char>(i * 7 + 3);
  return image;
}

struct EepromBench {
  explicit EepromBench(const std::string& target)
      : jig(BuildJig("[jig]\nfirmware = ENE_EDID_KB\n" + (target.empty() ? "" : "target = " + target + "\n"))),
        host(*jig) {}

  std::string Eeprom() {
    const sim::Bytes bytes = jig->Inspect([](sim::JigMcu& mcu) { return mcu.FindTarget<sim::EdidEeprom>()->Contents(); });
    return std::string(bytes.begin(), bytes.end());
  }

  std::shared_ptr<sim::VirtualJig> jig;
  JigHost host;
};

TEST(EdidEepromCommands, ReadAnswersTheEepromAndItsStatus) {
  std::string badChecksum = Sample();
  ++badChecksum[127];
  struct Case { std::string target; std::string reply; };
  const Case cases[] = {
      {"edid-eeprom", Sample() + "OK"},
      {"edid-eeprom content=edid write-protect=yes", Sample() + "OK"},
      {"edid-eeprom content=erased", kErased + "OK"},
      {"edid-eeprom content=bad-checksum", badChecksum + "OK"},
      // The bus idles high: nothing answering reads as 0xFF.
      {"edid-eeprom absent=yes", kErased + "ER"},
      {"", kErased + "ER"},
  };
  for (const Case& c : cases) {
    EepromBench bench(c.target);
    EXPECT_EQ(bench.host.Ask("Er"), c.reply) << c.target;
  }
}

TEST(EdidEepromCommands, WriteTakesTheImageUnlessProtectedOrAbsent) {
  struct Case { std::string target; std::string status; bool written; };
  const Case cases[] = {
      {"edid-eeprom", "OK", true},
      {"edid-eeprom content=erased", "OK", true},
      {"edid-eeprom write-protect=yes", "ER", false},
      {"edid-eeprom absent=yes", "ER", false},
  };
  for (const Case& c : cases) {
    EepromBench bench(c.target);
    const std::string before = bench.Eeprom();
    EXPECT_EQ(bench.host.Ask("Ew"), "w") << c.target;
    EXPECT_EQ(bench.host.Ask(NewImage()), c.status) << c.target;
    EXPECT_EQ(bench.Eeprom(), c.written ? NewImage() : before) << c.target;
  }
}

TEST(EdidEepromCommands, ImageBytesAreDataNotCommands) {
  // 'B' (the version query), 'E', 'I' and 'V' inside the image stay the image's.
  std::string image = NewImage();
  image.replace(0, 6, "BEErIV");
  EepromBench bench("edid-eeprom");
  EXPECT_EQ(bench.host.Ask("Ew"), "w");
  EXPECT_EQ(bench.host.Ask(image), "OK");
  EXPECT_EQ(bench.Eeprom(), image);
  EXPECT_EQ(bench.jig->BuzzerCount(), 0);
  EXPECT_EQ(bench.host.Ask("Er"), image + "OK");
}

TEST(EdidEepromCommands, UnknownSubcommandIsDroppedAndTheNextCommandWorks) {
  EepromBench bench("edid-eeprom");
  EXPECT_EQ(bench.host.Ask("Ex"), "");
  EXPECT_EQ(bench.host.Ask("I"), "I");
  EXPECT_EQ(bench.jig->BuzzerCount(), 1);
}

TEST(EdidEepromCommands, ReplyLeavesInTheAskedNumberOfPiecesInOrder) {
  for (const int pieces : {1, 3, 7, 258}) {
    EepromBench bench("edid-eeprom reply-pieces=" + std::to_string(pieces));
    const std::vector<sim::McuReply> replies = bench.jig->Inspect([](sim::JigMcu& mcu) {
      mcu.Receive('E', {});
      return mcu.Receive('r', {}).replies;
    });
    std::string bytes;
    std::set<std::chrono::microseconds> departures;
    for (std::size_t i = 0; i < replies.size(); ++i) {
      bytes += static_cast<char>(replies[i].byte);
      departures.insert(replies[i].delay);
      if (i > 0) {
        EXPECT_GE(replies[i].delay, replies[i - 1].delay);
      }
    }
    EXPECT_EQ(bytes, Sample() + "OK") << pieces;
    EXPECT_EQ(departures.size(), static_cast<std::size_t>(pieces));
  }
}

TEST(EdidEepromBench, BadLinesNameTheLineAndTheProblem) {
  struct Case { const char* target; std::string error; };
  const Case cases[] = {
      {"edid-eeprom size=512", "edid-eeprom: unknown parameter 'size'"},
      {"edid-eeprom content=pattern", "edid-eeprom: content must be edid|erased|bad-checksum, not 'pattern'"},
      {"edid-eeprom write-protect=on", "edid-eeprom: write-protect must be no|yes, not 'on'"},
      {"edid-eeprom absent=1", "edid-eeprom: absent must be no|yes, not '1'"},
      {"edid-eeprom reply-pieces=0", "edid-eeprom: reply-pieces must be a number from 1 to 258, not '0'"},
      {"edid-eeprom reply-pieces=259", "edid-eeprom: reply-pieces must be a number from 1 to 258, not '259'"},
      {"edid-eeprom reply-pieces=few", "edid-eeprom: reply-pieces must be a number from 1 to 258, not 'few'"},
  };
  for (const Case& c : cases) EXPECT_EQ(simtest::TargetLineError(c.target), c.error) << c.target;
}

}  // namespace
