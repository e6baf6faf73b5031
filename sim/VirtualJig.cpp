#include "VirtualJig.h"

#include <algorithm>
#include <utility>

namespace sim {

VirtualJig::VirtualJig(std::string serial, JigMcu mcu, BridgeFaults faults, bool wireTime,
                       std::optional<std::chrono::milliseconds> resetPress)
    : serial_(std::move(serial)),
      faults_(faults),
      wireTime_(wireTime),
      resetPress_(resetPress),
      mcu_(std::move(mcu)) {}

bool VirtualJig::IsPlugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

void VirtualJig::Plug() {
  std::lock_guard lock(mutex_);
  if (plugged_) return;
  plugged_ = true;
  hostBytes_ = 0;
  pressScheduled_ = false;
  mcu_.PowerUp();
}

void VirtualJig::Unplug() {
  std::lock_guard lock(mutex_);
  UnplugLocked();
}

void VirtualJig::UnplugLocked() {
  plugged_ = false;
  session_ = 0;
  pressAt_.reset();
  ClearQueuesLocked();
  changed_.notify_all();
}

void VirtualJig::ClearQueuesLocked() {
  toHost_.clear();
  departures_.clear();
}

int VirtualJig::BuzzerCount() const {
  std::lock_guard lock(mutex_);
  return mcu_.BuzzerCount();
}

std::uint64_t VirtualJig::HostByteCount() const {
  std::lock_guard lock(mutex_);
  return hostBytes_;
}

void VirtualJig::PressReset() {
  std::lock_guard lock(mutex_);
  PressResetLocked();
}

void VirtualJig::PressResetLocked() {
  pressAt_.reset();
  if (plugged_) mcu_.PressReset();
}

void VirtualJig::CatchUpLocked(Clock::time_point now) {
  if (pressAt_ && *pressAt_ <= now) PressResetLocked();
}

std::string VirtualJig::RunningFirmware() {
  std::lock_guard lock(mutex_);
  CatchUpLocked(Clock::now());
  return std::string(FirmwareKindName(mcu_.Kind()));
}

std::string VirtualJig::FirmwareTag() {
  std::lock_guard lock(mutex_);
  CatchUpLocked(Clock::now());
  return mcu_.VersionTag();
}

bool VirtualJig::Usable(std::uint64_t session) const {
  return plugged_ && session != 0 && session == session_;
}

PortResult VirtualJig::Open(std::uint64_t& session) {
  std::lock_guard lock(mutex_);
  session = 0;
  if (!plugged_) return PortResult::Gone;
  if (faults_.openFails || session_ != 0) return PortResult::Busy;
  session_ = session = nextSession_++;
  line_ = LineSettings{9600, true};
  readTimeout_ = std::chrono::milliseconds(0);
  latency_ = std::chrono::milliseconds(16);
  ClearQueuesLocked();
  return PortResult::Ok;
}

void VirtualJig::Close(std::uint64_t session) {
  std::lock_guard lock(mutex_);
  if (session == 0 || session != session_) return;
  session_ = 0;
  ClearQueuesLocked();
  changed_.notify_all();
}

PortResult VirtualJig::Reset(std::uint64_t session) {
  std::lock_guard lock(mutex_);
  if (!Usable(session)) return PortResult::Gone;
  ClearQueuesLocked();
  return PortResult::Ok;
}

PortResult VirtualJig::SetBaud(std::uint64_t session, std::uint32_t baud) {
  std::lock_guard lock(mutex_);
  if (!Usable(session)) return PortResult::Gone;
  line_.baud = baud;
  return PortResult::Ok;
}

PortResult VirtualJig::SetFormat(std::uint64_t session, bool format8N1) {
  std::lock_guard lock(mutex_);
  if (!Usable(session)) return PortResult::Gone;
  line_.format8N1 = format8N1;
  return PortResult::Ok;
}

PortResult VirtualJig::SetTimeouts(std::uint64_t session, std::uint32_t readMs, std::uint32_t) {
  std::lock_guard lock(mutex_);
  if (!Usable(session)) return PortResult::Gone;
  readTimeout_ = std::chrono::milliseconds(readMs);
  return PortResult::Ok;
}

PortResult VirtualJig::SetLatency(std::uint64_t session, std::uint8_t ms) {
  std::lock_guard lock(mutex_);
  if (!Usable(session)) return PortResult::Gone;
  latency_ = std::chrono::milliseconds(ms);
  return PortResult::Ok;
}

void VirtualJig::DeliverLocked(std::uint8_t byte, Clock::time_point sent, Clock::time_point reachesMcu) {
  // The reply leaves at the MCU's current rate; a firmware that switches to
  // its bootloader on this byte still answers at the old one.
  const std::uint32_t replyBaud = mcu_.UartBaud();
  const bool hostListens = LineMatches(line_, replyBaud);
  const bool toApplication = mcu_.RunsApplication();
  const McuResponse response = mcu_.Receive(byte, line_, mcuLineFreeAt_ > reachesMcu);
  const bool askingForBootloader =
      !hostListens || (mcu_.Model() == McuModel::M328 && !response.taken);
  if (resetPress_ && !pressScheduled_ && toApplication && askingForBootloader) {
    pressScheduled_ = true;
    pressAt_ = sent + *resetPress_;
  }
  for (const McuReply& reply : response.replies) {
    Clock::time_point leaves = std::max(reachesMcu + reply.delay, mcuLineFreeAt_);
    if (wireTime_) leaves += ByteTime(replyBaud);
    mcuLineFreeAt_ = leaves;
    const Clock::time_point at = wireTime_ ? leaves + latency_ : leaves;
    toHost_.push_back({at, hostListens ? reply.byte : Garble(reply.byte)});
  }
}

PortResult VirtualJig::Write(std::uint64_t session, const std::uint8_t* data, std::uint32_t count,
                             std::uint32_t& written) {
  std::lock_guard lock(mutex_);
  written = 0;
  if (!Usable(session)) return PortResult::Gone;
  const Clock::time_point now = Clock::now();
  for (std::uint32_t i = 0; i < count; ++i) {
    if (faults_.unplugAfter && hostBytes_ >= *faults_.unplugAfter) {
      UnplugLocked();
      return PortResult::Gone;
    }
    ++hostBytes_;
    Clock::time_point reachesMcu = now;
    if (wireTime_) {
      lineFreeAt_ = std::max(now, lineFreeAt_) + ByteTime(line_.baud);
      reachesMcu = lineFreeAt_;
      departures_.push_back(reachesMcu);
    }
    CatchUpLocked(reachesMcu);
    DeliverLocked(data[i], now, reachesMcu);
    ++written;
  }
  changed_.notify_all();
  return PortResult::Ok;
}

std::uint32_t VirtualJig::ArrivedLocked(Clock::time_point now) const {
  const auto firstLater = std::find_if(toHost_.begin(), toHost_.end(),
                                       [now](const Arrival& a) { return a.at > now; });
  return static_cast<std::uint32_t>(firstLater - toHost_.begin());
}

std::uint32_t VirtualJig::PendingTxLocked(Clock::time_point now) {
  while (!departures_.empty() && departures_.front() <= now) departures_.pop_front();
  return static_cast<std::uint32_t>(departures_.size());
}

VirtualJig::Clock::time_point VirtualJig::RxDueLocked(std::uint32_t count) const {
  if (count == 0 || toHost_.size() < count) return Clock::time_point::max();
  return toHost_[count - 1].at;
}

VirtualJig::Clock::time_point VirtualJig::TxDueLocked() const {
  return departures_.empty() ? Clock::time_point::min() : departures_.back();
}

void VirtualJig::WaitUntilLocked(std::unique_lock<std::mutex>& lock, Clock::time_point deadline,
                                 Clock::time_point due) {
  Clock::time_point wake = std::min(deadline, due);
  if (pressAt_) wake = std::min(wake, *pressAt_);
  changed_.wait_until(lock, wake);
  CatchUpLocked(Clock::now());
}

PortResult VirtualJig::Read(std::uint64_t session, std::uint8_t* data, std::uint32_t count,
                            std::uint32_t& received) {
  std::unique_lock lock(mutex_);
  received = 0;
  const Clock::time_point deadline = Clock::now() + readTimeout_;
  while (Usable(session) && ArrivedLocked(Clock::now()) < count && Clock::now() < deadline)
    WaitUntilLocked(lock, deadline, RxDueLocked(count));
  if (!Usable(session)) return PortResult::Gone;
  received = std::min(count, ArrivedLocked(Clock::now()));
  for (std::uint32_t i = 0; i < received; ++i) {
    data[i] = toHost_.front().byte;
    toHost_.pop_front();
  }
  return PortResult::Ok;
}

PortResult VirtualJig::Queues(std::uint64_t session, std::uint32_t& rx, std::uint32_t& tx) {
  std::lock_guard lock(mutex_);
  rx = tx = 0;
  if (!Usable(session)) return PortResult::Gone;
  const Clock::time_point now = Clock::now();
  rx = ArrivedLocked(now);
  tx = PendingTxLocked(now);
  return PortResult::Ok;
}

PortResult VirtualJig::Purge(std::uint64_t session, bool rx, bool tx) {
  std::lock_guard lock(mutex_);
  if (!Usable(session)) return PortResult::Gone;
  // Only what has reached the bridge's buffers goes; bytes still on the wire
  // from the MCU land afterwards, as they would.
  if (rx) toHost_.erase(toHost_.begin(), toHost_.begin() + ArrivedLocked(Clock::now()));
  if (tx) departures_.clear();
  return PortResult::Ok;
}

PortResult VirtualJig::WaitRx(std::uint64_t session, std::uint32_t minCount,
                              std::chrono::milliseconds timeout, std::uint32_t& rx) {
  std::unique_lock lock(mutex_);
  rx = 0;
  const Clock::time_point deadline = Clock::now() + timeout;
  while (Usable(session) && ArrivedLocked(Clock::now()) < minCount && Clock::now() < deadline)
    WaitUntilLocked(lock, deadline, RxDueLocked(minCount));
  if (!Usable(session)) return PortResult::Gone;
  rx = ArrivedLocked(Clock::now());
  return PortResult::Ok;
}

PortResult VirtualJig::WaitTxEmpty(std::uint64_t session, std::chrono::milliseconds timeout,
                                   std::uint32_t& tx) {
  std::unique_lock lock(mutex_);
  tx = 0;
  const Clock::time_point deadline = Clock::now() + timeout;
  while (Usable(session) && PendingTxLocked(Clock::now()) > 0 && Clock::now() < deadline)
    WaitUntilLocked(lock, deadline, TxDueLocked());
  if (!Usable(session)) return PortResult::Gone;
  tx = PendingTxLocked(Clock::now());
  return PortResult::Ok;
}

}  // namespace sim
