#include "KbHost.h"

#include <cstdio>

#include "targets/Kb9012.h"

namespace simtest {

namespace {

std::string BenchWith(const std::vector<std::string_view>& targets) {
  std::string bench = "[jig]\nfirmware = ENE_EDID_KB\n";
  for (const std::string_view target : targets) bench += "target = " + std::string(target) + "\n";
  return bench;
}

}  // namespace

KbHost::KbHost(const std::vector<std::string_view>& targets)
    : jig_(BuildJig(BenchWith(targets))), host_(*jig_) {}

std::uint8_t KbHost::Connect() {
  const std::string reply = Ask("v");
  EXPECT_EQ(reply.size(), 1u);
  return reply.empty() ? 0 : static_cast<std::uint8_t>(reply[0]);
}

KbBlock KbHost::Read(char command) {
  std::string reply = Ask(std::string(1, command));
  EXPECT_EQ(reply.size(), kKbBlockSize + 1) << command;
  if (reply.size() != kKbBlockSize + 1) return {};
  const auto status = static_cast<std::uint8_t>(reply.back());
  reply.pop_back();
  return {reply, status};
}

std::uint8_t KbHost::Write(std::string_view block) {
  EXPECT_EQ(Ask("W").size(), 1u);
  const std::string status = Ask(block);
  EXPECT_EQ(status.size(), 1u);
  return status.empty() ? 0 : static_cast<std::uint8_t>(status[0]);
}

std::string KbHost::Chip() {
  const sim::Bytes contents = jig_->Inspect([](sim::JigMcu& mcu) { return mcu.FindTarget<sim::Kb9012>()->Contents(); });
  return std::string(contents.begin(), contents.end());
}

sim::AdapterLines KbHost::BoardLines() {
  return jig_->Inspect([](sim::JigMcu& mcu) { return mcu.FindTarget<sim::BrimexBoard>()->Driven(); });
}

::testing::AssertionResult SameBytes(std::string_view got, std::string_view want) {
  if (got.size() != want.size())
    return ::testing::AssertionFailure() << got.size() << " bytes instead of " << want.size();
  for (std::size_t i = 0; i < got.size(); ++i)
    if (got[i] != want[i]) {
      char text[64];
      std::snprintf(text, sizeof text, "byte 0x%zX is 0x%02X instead of 0x%02X", i,
                    static_cast<unsigned char>(got[i]), static_cast<unsigned char>(want[i]));
      return ::testing::AssertionFailure() << text;
    }
  return ::testing::AssertionSuccess();
}

std::string TestImage() {
  std::string image(sim::Kb9012::kFlashSize, '\0');
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 37 + (i >> 8) * 11);
  return image;
}

}  // namespace simtest
