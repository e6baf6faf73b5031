#pragma once

// The host's end of a jig running the ENE_EDID_KB firmware, for the KB90xx
// command tests: one call per jig command, and a look at the targets.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "JigHost.h"
#include "targets/BrimexBoard.h"

namespace simtest {

inline constexpr std::size_t kKbBlockSize = 256;
inline constexpr std::size_t kKbBlocks = 512;
inline constexpr std::uint8_t kKbStatusLost = 0x65;
inline constexpr std::uint8_t kKbNoChip = 0xFF;

struct KbBlock {
  std::string data;
  std::uint8_t status = 0;
};

class KbHost {
 public:
  // `targets`: the bench's target lines, without "target = ".
  explicit KbHost(const std::vector<std::string_view>& targets);

  std::string Ask(std::string_view bytes) { return host_.Ask(bytes); }
  std::uint8_t Connect();
  // 'R' or 'N'.
  KbBlock Read(char command);
  // 'W', then the block; returns the status byte.
  std::uint8_t Write(std::string_view block);

  sim::VirtualJig& Jig() { return *jig_; }
  // The chip's flash as a read sees it.
  std::string Chip();
  // What the jig drives onto the adapter board.
  sim::AdapterLines BoardLines();

 private:
  std::shared_ptr<sim::VirtualJig> jig_;
  JigHost host_;
};

// Equal, or where the first difference is.
::testing::AssertionResult SameBytes(std::string_view got, std::string_view want);
// A flash image unlike the chip's own fill: every block differs, and it
// sets bits the fill has cleared, so only an erased chip takes it.
std::string TestImage();

}  // namespace simtest
