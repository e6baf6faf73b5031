#include "M328Bootloader.h"

#include <string_view>

#include "../JigMcu.h"

namespace sim {

namespace {

constexpr std::uint8_t kSync = '+';
constexpr std::uint8_t kRequestBlock = 'W';
constexpr std::uint8_t kFinish = 'X';
constexpr std::uint8_t kGranted = 'G';
constexpr std::uint8_t kTaken = '+';
constexpr std::uint8_t kRefused = 'E';
constexpr std::size_t kBlockSize = 128;
constexpr std::string_view kSyncReply = "V3S_M328";
// What the sync reply starts with while the bootloader's UART is still
// settling (the bad-sync fault).
constexpr std::uint8_t kUnsettled = 0x55;

}  // namespace

std::uint32_t M328Bootloader::UartBaud() const { return kApplicationBaud; }

bool M328Bootloader::OnByte(std::uint8_t byte, JigMcu& mcu) {
  if (receiving_) {
    block_.push_back(byte);
    if (block_.size() == kBlockSize) TakeBlock(mcu);
    return true;
  }
  switch (byte) {
    case kSync: Sync(mcu); return true;
    case kRequestBlock: RequestBlock(mcu); return true;
    case kFinish: mcu.RunApplication(); return true;
    default: return false;
  }
}

void M328Bootloader::Sync(JigMcu& mcu) {
  Bytes reply(kSyncReply.begin(), kSyncReply.end());
  if (syncs_++ < mcu.Faults().badSyncs) reply[0] = kUnsettled;
  mcu.Send(reply);
}

void M328Bootloader::RequestBlock(JigMcu& mcu) {
  const std::uint64_t index = requests_++;
  const bool full = (blocks_ + 1) * kBlockSize > mcu.Flash().Size();
  if (full || mcu.Faults().refusedBlockRequests.count(index) != 0) {
    mcu.Send({kRefused});
    return;
  }
  if (!erased_) mcu.Flash().Erase();
  erased_ = true;
  receiving_ = true;
  block_.clear();
  mcu.Send({kGranted});
}

void M328Bootloader::TakeBlock(JigMcu& mcu) {
  const std::uint64_t index = blocks_++;
  receiving_ = false;
  const bool refused = mcu.Faults().refusedBlocks.count(index) != 0;
  if (!refused) mcu.Flash().Write(index * kBlockSize, block_);
  mcu.Send({refused ? kRefused : kTaken});
}

}  // namespace sim
