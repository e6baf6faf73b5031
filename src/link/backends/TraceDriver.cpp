#include "TraceDriver.h"

#include <utility>

#include "link/TextHelpers.h"

namespace qjig {

TraceDriver::TraceDriver(std::unique_ptr<FtdiDriver> inner, const std::filesystem::path& file)
    : inner_(std::move(inner)), out_(file, std::ios::binary | std::ios::trunc) {}

void TraceDriver::Record(const std::string& line) {
  std::lock_guard lock(mutex_);
  out_ << line << '\n';
  out_.flush();
}

void TraceDriver::RecordBytes(char kind, const std::uint8_t* data, std::uint32_t count) {
  if (count == 0) return;
  std::string line(1, kind);
  line.reserve(2 + 3 * count);
  for (std::uint32_t i = 0; i < count; ++i) line += ' ' + HexText(data[i], 2);
  Record(line);
}

FtStatus TraceDriver::CreateDeviceInfoList(std::uint32_t& count) {
  return inner_->CreateDeviceInfoList(count);
}

FtStatus TraceDriver::Open(int index, FtHandle& handle) {
  const FtStatus status = inner_->Open(index, handle);
  if (status == FtStatus::Ok) Record("O " + std::to_string(index));
  return status;
}

FtStatus TraceDriver::ResetDevice(FtHandle handle) { return inner_->ResetDevice(handle); }

FtStatus TraceDriver::SetBaudRate(FtHandle handle, std::uint32_t baud) {
  const FtStatus status = inner_->SetBaudRate(handle, baud);
  if (status == FtStatus::Ok) Record("B " + std::to_string(baud));
  return status;
}

FtStatus TraceDriver::SetDataCharacteristics(FtHandle handle, std::uint8_t wordLength,
                                             std::uint8_t stopBits, std::uint8_t parity) {
  return inner_->SetDataCharacteristics(handle, wordLength, stopBits, parity);
}

FtStatus TraceDriver::SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) {
  return inner_->SetTimeouts(handle, readMs, writeMs);
}

FtStatus TraceDriver::SetLatencyTimer(FtHandle handle, std::uint8_t ms) {
  return inner_->SetLatencyTimer(handle, ms);
}

FtStatus TraceDriver::Write(FtHandle handle, const std::uint8_t* data, std::uint32_t count,
                            std::uint32_t& written) {
  const FtStatus status = inner_->Write(handle, data, count, written);
  RecordBytes('W', data, written);
  return status;
}

FtStatus TraceDriver::Read(FtHandle handle, std::uint8_t* data, std::uint32_t count,
                           std::uint32_t& received) {
  const FtStatus status = inner_->Read(handle, data, count, received);
  RecordBytes('R', data, received);
  return status;
}

FtStatus TraceDriver::GetStatus(FtHandle handle, std::uint32_t& rxQueue, std::uint32_t& txQueue,
                                std::uint32_t& eventWord) {
  return inner_->GetStatus(handle, rxQueue, txQueue, eventWord);
}

FtStatus TraceDriver::Purge(FtHandle handle, std::uint32_t mask) {
  const FtStatus status = inner_->Purge(handle, mask);
  if (status == FtStatus::Ok) Record("P");
  return status;
}

FtStatus TraceDriver::GetDriverVersion(FtHandle handle, std::uint32_t& version) {
  return inner_->GetDriverVersion(handle, version);
}

FtStatus TraceDriver::Close(FtHandle handle) {
  const FtStatus status = inner_->Close(handle);
  if (status == FtStatus::Ok) Record("C");
  return status;
}

FtStatus TraceDriver::WaitRxQueue(FtHandle handle, std::uint32_t minCount,
                                  std::chrono::milliseconds timeout, std::uint32_t& rxQueue) {
  return inner_->WaitRxQueue(handle, minCount, timeout, rxQueue);
}

FtStatus TraceDriver::WaitTxEmpty(FtHandle handle, std::chrono::milliseconds timeout,
                                  std::uint32_t& txQueue) {
  return inner_->WaitTxEmpty(handle, timeout, txQueue);
}

}  // namespace qjig
