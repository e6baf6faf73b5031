#include "EdidCommands.h"

#include <algorithm>
#include <chrono>

#include "modes/shared/OperationFinish.h"

namespace qjig {

namespace {

constexpr std::uint32_t kStatusLength = 2;
constexpr std::uint32_t kReadReply = kEepromSize + kStatusLength;
constexpr std::uint8_t kReadCommand[] = {'E', 'r'};
constexpr std::uint8_t kWriteCommand[] = {'E', 'w'};

EepromStatus StatusOf(const std::uint8_t* pair) {
  if (pair[0] == 'O' && pair[1] == 'K') return EepromStatus::Ok;
  if (pair[0] == 'E' && pair[1] == 'R') return EepromStatus::Error;
  return EepromStatus::Other;
}

// Appends whatever has come, until the reply is complete or the deadline
// passed. Each piece is read into the buffer's start, then moved behind
// what came before.
bool CollectReadReply(JigLink& link) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + JigWaitBounds().queue;
  std::vector<std::uint8_t>& buffer = link.Buffer();
  std::uint32_t collected = 0;
  while (collected < kReadReply) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0 || !link.WaitRxAtLeast(1, left)) return false;
    const std::uint32_t wanted = std::min(link.RxQueue(), kReadReply - collected);
    if (link.Read(wanted) != FtStatus::Ok || link.Received() == 0) return false;
    std::copy_n(buffer.begin(), link.Received(), buffer.begin() + kEdidImageAt + collected);
    collected += link.Received();
  }
  return true;
}

}  // namespace

std::span<std::uint8_t, kEepromSize> EepromImage(JigLink& link) {
  return std::span<std::uint8_t, kEepromSize>(link.Buffer().data() + kEdidImageAt, kEepromSize);
}

EepromStatus ReadEeprom(JigLink& link) {
  if (link.Write(kReadCommand, sizeof kReadCommand) != FtStatus::Ok) return EepromStatus::NoAnswer;
  if (!CollectReadReply(link)) return EepromStatus::NoAnswer;
  return StatusOf(link.Buffer().data() + kEdidImageAt + kEepromSize);
}

bool AnnounceEepromWrite(JigLink& link) {
  std::uint8_t ready = 0;
  return link.Write(kWriteCommand, sizeof kWriteCommand) == FtStatus::Ok && link.AwaitByte(ready);
}

EepromStatus SendEepromImage(JigLink& link) {
  if (link.Write(EepromImage(link).data(), kEepromSize) != FtStatus::Ok) return EepromStatus::NoAnswer;
  if (!link.WaitRxAtLeast(kStatusLength)) return EepromStatus::NoAnswer;
  if (link.Read(kStatusLength) != FtStatus::Ok || link.Received() != kStatusLength) return EepromStatus::NoAnswer;
  return StatusOf(link.Buffer().data());
}

void SignalEepromResult(JigLink& link, bool succeeded) {
  link.WriteByte(succeeded ? kSignalSuccess : kSignalFailure);
}

}  // namespace qjig
