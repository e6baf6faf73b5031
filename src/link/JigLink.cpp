#include "JigLink.h"

#include <algorithm>

namespace qjig {

namespace {
constexpr std::uint8_t kSwitchCommand = 'V';
}

WaitBounds& JigWaitBounds() {
  static WaitBounds bounds;
  return bounds;
}

JigLink::JigLink(FtdiDriver& driver, std::size_t bufferSize)
    : driver_(driver), buffer_(std::max<std::size_t>(bufferSize, kVersionReplyMax)) {}

JigLink::~JigLink() { Close(); }

FtStatus JigLink::ListDevices() {
  deviceCount_ = 0;
  return driver_.CreateDeviceInfoList(deviceCount_);
}

FtStatus JigLink::Open(int index) {
  FtHandle handle = kNoHandle;
  const FtStatus status = driver_.Open(index, handle);
  if (status != FtStatus::Ok) return status;
  Close();
  handle_ = handle;
  return status;
}

void JigLink::Close() {
  if (handle_ == kNoHandle) return;
  driver_.Close(handle_);
  handle_ = kNoHandle;
}

ConfigureStatus JigLink::Configure(std::uint32_t timeoutMs) {
  ConfigureStatus status;
  status.reset = driver_.ResetDevice(handle_);
  status.baud = SetBaud(kJigBaud);
  status.format = driver_.SetDataCharacteristics(handle_, 8, 0, 0);
  status.timeouts = SetTimeouts(timeoutMs, timeoutMs);
  return status;
}

FtStatus JigLink::SetLatency(std::uint8_t ms) { return driver_.SetLatencyTimer(handle_, ms); }

FtStatus JigLink::SetBaud(std::uint32_t baud) { return driver_.SetBaudRate(handle_, baud); }

FtStatus JigLink::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
  return driver_.SetTimeouts(handle_, readMs, writeMs);
}

FtStatus JigLink::Purge() { return driver_.Purge(handle_, kPurgeRx | kPurgeTx); }

FtStatus JigLink::Write(const std::uint8_t* data, std::uint32_t count) {
  written_ = 0;
  return driver_.Write(handle_, data, count, written_);
}

FtStatus JigLink::Write(const std::vector<std::uint8_t>& bytes) {
  return Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

FtStatus JigLink::WriteByte(std::uint8_t byte) { return Write(&byte, 1); }

FtStatus JigLink::Read(std::uint32_t count) {
  received_ = 0;
  if (count > buffer_.size()) buffer_.resize(count);
  return driver_.Read(handle_, buffer_.data(), count, received_);
}

FtStatus JigLink::PollStatus() {
  return driver_.GetStatus(handle_, rxQueue_, txQueue_, eventWord_);
}

std::uint32_t JigLink::QueryVersion() {
  if (WriteByte(kVersionQuery) != FtStatus::Ok) return 0;
  if (Read(kVersionReplyMax) != FtStatus::Ok) return 0;
  return received_;
}

bool JigLink::AwaitByte(std::uint8_t& byte) {
  // Wait in the driver for the byte, then take it: this holds even on a
  // device whose read time-out is 0.
  if (!WaitRxAtLeast(1, JigWaitBounds().reply)) return false;
  if (Read(1) != FtStatus::Ok || received_ != 1) return false;
  byte = buffer_[0];
  return true;
}

bool JigLink::SendByteAwaitReply(std::uint8_t byte) {
  std::uint8_t reply = 0;
  return WriteByte(byte) == FtStatus::Ok && AwaitByte(reply);
}

bool JigLink::SendSwitchAwaitReply(std::uint8_t argument) {
  const std::uint8_t command[] = {kSwitchCommand, argument};
  std::uint8_t reply = 0;
  return Write(command, 2) == FtStatus::Ok && AwaitByte(reply);
}

bool JigLink::WaitRxAtLeast(std::uint32_t count) { return WaitRxAtLeast(count, JigWaitBounds().queue); }

bool JigLink::WaitRxAtLeast(std::uint32_t count, std::chrono::milliseconds bound) {
  return driver_.WaitRxQueue(handle_, count, bound, rxQueue_) == FtStatus::Ok && rxQueue_ >= count;
}

bool JigLink::WaitRxExactly(std::uint32_t count) {
  // More bytes than asked for can never become fewer: fail at once.
  return WaitRxAtLeast(count) && rxQueue_ == count;
}

bool JigLink::WaitTxEmpty() {
  return driver_.WaitTxEmpty(handle_, JigWaitBounds().txDrain, txQueue_) == FtStatus::Ok &&
         txQueue_ == 0;
}

}  // namespace qjig
