// The ENE_EDID_KB firmware's block commands against a kb9012 target: reads,
// writes onto a NOR flash, and the faults a technician meets at the bench.
#include <gtest/gtest.h>

#include <vector>

#include "KbHost.h"

namespace {

using namespace simtest;

std::string_view BlockOf(std::string_view flash, std::size_t block) {
  return flash.substr(block * kKbBlockSize, kKbBlockSize);
}

// What the host's read does: 'R', then 'N' for every further block, 'X'.
std::vector<KbBlock> ReadAll(KbHost& kb) {
  std::vector<KbBlock> blocks{kb.Read('R')};
  while (blocks.size() < kKbBlocks) blocks.push_back(kb.Read('N'));
  EXPECT_EQ(kb.Ask("X"), "");
  return blocks;
}

// What the host's write does: 'W' and a block for every block, 'X'.
std::vector<std::uint8_t> WriteAll(KbHost& kb, std::string_view image) {
  std::vector<std::uint8_t> statuses;
  for (std::size_t block = 0; block < kKbBlocks; ++block) statuses.push_back(kb.Write(BlockOf(image, block)));
  EXPECT_EQ(kb.Ask("X"), "");
  return statuses;
}

// What the host's verification does: 'R' for every block, 'X'.
std::vector<KbBlock> VerifyAll(KbHost& kb) {
  std::vector<KbBlock> blocks;
  while (blocks.size() < kKbBlocks) blocks.push_back(kb.Read('R'));
  EXPECT_EQ(kb.Ask("X"), "");
  return blocks;
}

std::string DataOf(const std::vector<KbBlock>& blocks) {
  std::string data;
  for (const KbBlock& block : blocks) data += block.data;
  return data;
}

TEST(KbFlashCommands, ConnectAnswersTheDebugVersionOrNoChip) {
  struct Case { std::vector<std::string_view> targets; std::uint8_t reply; };
  const Case cases[] = {
      {{"kb9012"}, 0x0C},
      {{"kb9012 debug-version=7"}, 7},
      {{"kb9012 debug-version=0xFE"}, 0xFE},
      {{}, kKbNoChip},
      {{"kb9012 absent=yes"}, kKbNoChip},
  };
  for (const Case& c : cases) {
    KbHost kb(c.targets);
    EXPECT_EQ(kb.Connect(), c.reply) << (c.targets.empty() ? "no target" : c.targets[0]);
  }
}

TEST(KbFlashCommands, AFullReadReturnsTheFlashInOrder) {
  for (const std::string_view target : {"kb9012", "kb9012 content=erased"}) {
    SCOPED_TRACE(target);
    KbHost kb({target});
    ASSERT_NE(kb.Connect(), kKbNoChip);
    const auto blocks = ReadAll(kb);
    for (const KbBlock& block : blocks) EXPECT_NE(block.status, kKbStatusLost);
    EXPECT_TRUE(SameBytes(DataOf(blocks), kb.Chip()));
  }
  // A pattern-filled chip tells its blocks apart, so a block read twice or
  // out of order shows in a test.
  const std::string pattern = KbHost({"kb9012"}).Chip();
  for (std::size_t block = 1; block < kKbBlocks; ++block)
    EXPECT_NE(BlockOf(pattern, block), BlockOf(pattern, block - 1)) << block;
  EXPECT_EQ(KbHost({"kb9012 content=erased"}).Chip(), std::string(0x20000, '\xFF'));
}

TEST(KbFlashCommands, BlockCounterFollowsTheCommandsSent) {
  std::vector<std::size_t> wrapped;
  for (std::size_t block = 0; block <= kKbBlocks; ++block) wrapped.push_back(block % kKbBlocks);
  // Each letter is a command; every 'R' and 'N' reads a block.
  struct Case { std::string commands; std::vector<std::size_t> blocks; };
  const Case cases[] = {
      {"RNN", {0, 1, 2}},
      {"RRR", {0, 1, 2}},
      {"N", {0}},
      {"RNXR", {0, 1, 0}},
      {"RNvRN", {0, 1, 0, 1}},
      {"R" + std::string(kKbBlocks, 'N'), wrapped},
  };
  for (const Case& c : cases) {
    KbHost kb({"kb9012"});
    const std::string flash = kb.Chip();
    std::vector<std::size_t> read;
    for (const char command : c.commands) {
      if (command != 'R' && command != 'N') {
        kb.Ask(std::string(1, command));
        continue;
      }
      const std::string data = kb.Read(command).data;
      for (std::size_t block = 0; block < kKbBlocks; ++block)
        if (BlockOf(flash, block) == data) read.push_back(block);
    }
    EXPECT_EQ(read, c.blocks) << c.commands.substr(0, 8);
  }
}

TEST(KbFlashCommands, AWriteOntoAFullChipVerifies) {
  KbHost kb({"kb9012"});
  const std::string image = TestImage();
  ASSERT_NE(kb.Connect(), kKbNoChip);
  for (const std::uint8_t status : WriteAll(kb, image)) ASSERT_NE(status, kKbStatusLost);
  const auto verified = VerifyAll(kb);
  for (const KbBlock& block : verified) EXPECT_NE(block.status, kKbStatusLost);
  EXPECT_TRUE(SameBytes(DataOf(verified), image));
  EXPECT_TRUE(SameBytes(kb.Chip(), image));
}

TEST(KbFlashCommands, AWriteErasesEachSectorOnceAndProgrammingOnlyClearsBits) {
  KbHost kb({"kb9012"});
  const std::string before = kb.Chip();
  // One block: its whole 4 KB sector is erased, the next sector is not.
  ASSERT_NE(kb.Write(std::string(kKbBlockSize, '\xA5')), kKbStatusLost);
  // The next block lies in the sector already erased: it is not erased again.
  ASSERT_NE(kb.Write(std::string(kKbBlockSize, '\x3C')), kKbStatusLost);
  std::string want = std::string(kKbBlockSize, '\xA5') + std::string(kKbBlockSize, '\x3C') +
                     std::string(0x1000 - 2 * kKbBlockSize, '\xFF') + before.substr(0x1000);
  EXPECT_TRUE(SameBytes(kb.Chip(), want));
  // The counter wraps back to block 0 within the same sequence, whose sector
  // was erased already: the new bits only clear more.
  for (std::size_t block = 2; block < kKbBlocks; ++block) ASSERT_NE(kb.Write(BlockOf(before, block)), kKbStatusLost);
  ASSERT_NE(kb.Write(std::string(kKbBlockSize, '\x0F')), kKbStatusLost);
  EXPECT_TRUE(SameBytes(BlockOf(kb.Chip(), 0), std::string(kKbBlockSize, '\x05')));
}

TEST(KbFlashCommands, StuckBitsShowInTheVerification) {
  // Bit 0 of 0x1234 stuck at 0 and bit 7 of 0x20 at 1; the image has the
  // other level at both.
  KbHost kb({"kb9012 stuck=0x1234:0x01:0,0x20:0x80:1"});
  std::string image = TestImage();
  image[0x1234] = '\x01';
  image[0x20] = '\x7F';
  WriteAll(kb, image);
  std::string want = image;
  want[0x1234] = '\x00';
  want[0x20] = '\xFF';
  EXPECT_TRUE(SameBytes(DataOf(VerifyAll(kb)), want));
}

TEST(KbFlashCommands, ContactLostAtABlockUntilTheNextConnect) {
  constexpr std::size_t kLostAt = 5;
  const std::string image = TestImage();
  for (const bool writing : {false, true}) {
    SCOPED_TRACE(writing ? "write" : "read");
    KbHost kb({"kb9012 lost-at-block=5"});
    const std::string before = kb.Chip();
    ASSERT_NE(kb.Connect(), kKbNoChip);
    std::vector<std::uint8_t> statuses;
    if (writing) {
      statuses = WriteAll(kb, image);
    } else {
      for (const KbBlock& block : ReadAll(kb)) {
        statuses.push_back(block.status);
        if (block.status == kKbStatusLost) {
          EXPECT_EQ(block.data, std::string(kKbBlockSize, '\xFF'));
        }
      }
    }
    for (std::size_t block = 0; block < kKbBlocks; ++block)
      EXPECT_EQ(statuses[block] == kKbStatusLost, block >= kLostAt) << block;
    // The blocks before the loss are written, in a sector erased for them.
    const std::size_t lostAt = kLostAt * kKbBlockSize;
    const std::string want = writing ? image.substr(0, lostAt) + std::string(0x1000 - lostAt, '\xFF') +
                                           before.substr(0x1000)
                                     : before;
    EXPECT_TRUE(SameBytes(kb.Chip(), want));
    // Reconnecting brings the chip back, block K included.
    EXPECT_NE(kb.Connect(), kKbNoChip);
    for (std::size_t block = 0; block <= kLostAt; ++block) EXPECT_NE(kb.Read('R').status, kKbStatusLost) << block;
  }
}

TEST(KbFlashCommands, NoChipReadsErasedWithLostStatus) {
  // No chip, a chip that does not answer, and one the jig does not reach
  // because its lines go to an adapter board that is not switched on.
  const std::vector<std::string_view> benches[] = {{}, {"kb9012 absent=yes"}, {"kb9012", "brimex position=1-2"}};
  for (const auto& targets : benches) {
    KbHost kb(targets);
    EXPECT_EQ(kb.Connect(), kKbNoChip);
    for (const char command : {'R', 'N'}) {
      const KbBlock block = kb.Read(command);
      EXPECT_EQ(block.data, std::string(kKbBlockSize, '\xFF'));
      EXPECT_EQ(block.status, kKbStatusLost);
    }
    EXPECT_EQ(kb.Write(std::string(kKbBlockSize, '\0')), kKbStatusLost);
  }
}

// The bench `make run` opens: its jig comes with the Nuvoton firmware, and
// the chip answers once the program has switched it to ENE_EDID_KB.
TEST(KbFlashCommands, TheDefaultBenchsChipAnswersAfterAFirmwareSwitch) {
  sim::BenchBuild built = sim::LoadBenchFile(DEFAULT_BENCH);
  ASSERT_FALSE(built.error) << built.error->message;
  sim::VirtualJig& jig = *built.bench.jigs.at(0);
  JigHost host(jig);
  EXPECT_EQ(host.Ask("v"), "");
  EXPECT_EQ(host.Ask("?"), "!");
  ProgramM88(host, RecordsOf(ImageWithTag("ENE_EDID_KB_V3.8")));
  host.SetBaud(sim::kApplicationBaud);
  EXPECT_EQ(host.Ask("v"), "\x0C");
  const std::string block = host.Ask("R");
  ASSERT_EQ(block.size(), kKbBlockSize + 1);
  EXPECT_NE(block.substr(0, kKbBlockSize), std::string(kKbBlockSize, '\xFF'));
  EXPECT_NE(static_cast<std::uint8_t>(block.back()), kKbStatusLost);
}

TEST(KbFlashCommands, BlockDataIsNeverACommand) {
  KbHost kb({"kb9012 content=erased"});
  // The version query, the bootloader request and the commands themselves,
  // as data of a block.
  std::string block;
  while (block.size() < kKbBlockSize) block += "B?vRNWXIOV";
  block.resize(kKbBlockSize);
  EXPECT_NE(kb.Write(block), kKbStatusLost);
  EXPECT_EQ(kb.Jig().RunningFirmware(), "application");
  EXPECT_EQ(kb.Jig().BuzzerCount(), 0);
  EXPECT_EQ(BlockOf(kb.Chip(), 0), block);
  EXPECT_EQ(kb.Ask("B"), "ENE_EDID_KB_V3.7");
}

}  // namespace
