#include "M88Bootloader.h"

#include <string_view>

#include "../JigMcu.h"
#include "HexRecord.h"

namespace sim {

namespace {

constexpr std::uint32_t kBootloaderBaud = 115200;
constexpr std::uint8_t kSync = 'U';
constexpr char kLineEnd = '\n';
constexpr char kPrompt = '\x11';
// Longer than any line the bootloader understands; the rest of a longer
// line is dropped and the line refused.
constexpr std::size_t kLineMax = 64;

constexpr std::string_view kBanner = "BOOT_M88 1.3\x11";
// The bad-banner fault: longer than any banner the host waits for, and
// without the closing 0x11.
constexpr std::string_view kBadBanner = "BOOT_M88 1.3 NO PROMPT\r\n";
// The answers to "pf", the end record and "g" are as long as the host
// waits for, so nothing of them is left over for the next exchange.
constexpr std::string_view kErased = "ERASED\x11";
constexpr std::string_view kClosed = "EOF OK\x11";
constexpr std::string_view kJumping = "JUMP\x11";
constexpr std::string_view kRecordTaken = "OK\x11";
constexpr std::string_view kRefused = "E-RR\x11";

void Say(std::string_view text, JigMcu& mcu) { mcu.Send(Bytes(text.begin(), text.end())); }

}  // namespace

std::uint32_t M88Bootloader::UartBaud() const { return kBootloaderBaud; }

bool M88Bootloader::OnByte(std::uint8_t byte, JigMcu& mcu) {
  if (byte == kSync) {
    if (mcu.Transmitting()) return false;
    line_.clear();
    Say(mcu.Faults().badBanner ? kBadBanner : kBanner, mcu);
    return true;
  }
  if (byte != kLineEnd) {
    if (line_.size() < kLineMax) line_ += static_cast<char>(byte);
    return true;
  }
  OnLine(mcu);
  line_.clear();
  return true;
}

void M88Bootloader::OnLine(JigMcu& mcu) {
  if (line_.empty()) return;
  if (line_ == "pf") {
    mcu.Flash().Erase();
    programming_ = true;
    records_ = 0;
    Say(kErased, mcu);
  } else if (line_ == kEndRecord) {
    programming_ = false;
    Say(kClosed, mcu);
  } else if (line_ == "g") {
    Say(kJumping, mcu);
    mcu.RunApplication();
  } else if (line_.front() == ':') {
    OnRecord(mcu);
  } else {
    Say(kRefused, mcu);
  }
}

void M88Bootloader::OnRecord(JigMcu& mcu) {
  const std::uint64_t index = records_++;
  const auto& faulty = mcu.Faults().recordReplies;
  if (const auto reply = faulty.find(index); reply != faulty.end()) {
    Say(reply->second + kPrompt, mcu);
    return;
  }
  const auto record = ParseDataRecord(line_);
  const bool programmed = programming_ && record && mcu.Flash().Write(record->address, record->data);
  Say(programmed ? kRecordTaken : kRefused, mcu);
}

}  // namespace sim
