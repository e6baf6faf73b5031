#include "UploadJigImage.h"

#include <string>
#include <vector>

#include "link/TextHelpers.h"

namespace qjig {

namespace {

constexpr std::uint8_t kStartProgramming[] = {'p', 'f', '\n'};
constexpr std::uint8_t kEndRecord[] = {':', '0', '0', '0', '0', '0', '0', '0', '1', 'F', 'F', '\n'};
constexpr std::uint32_t kStartReply = 7;
// The longest answer to a record the bootloader gives; anything longer
// without its 0x11 is not an answer.
constexpr std::size_t kRecordReplyMax = 16;

void PutHex(std::uint8_t value, std::uint8_t*& out) {
  *out++ = static_cast<std::uint8_t>(HexDigitChar(value >> 4));
  *out++ = static_cast<std::uint8_t>(HexDigitChar(value));
}

// Waits for at least `count` bytes and takes everything waiting.
bool TakeReply(JigLink& link, std::uint32_t count) {
  return link.WaitRxAtLeast(count) && link.Read(link.RxQueue()) == FtStatus::Ok;
}

// Collects the record's answer up to its closing 0x11.
bool CollectRecordReply(JigLink& link, std::vector<std::uint8_t>& reply) {
  reply.clear();
  while (reply.empty() || reply.back() != kBootReplyEnd) {
    if (reply.size() > kRecordReplyMax || !TakeReply(link, 1)) return false;
    reply.insert(reply.end(), link.Buffer().begin(), link.Buffer().begin() + link.Received());
  }
  return true;
}

}  // namespace

std::array<std::uint8_t, kDataRecordSize> DataRecord(const JigImage& image, std::size_t address) {
  std::array<std::uint8_t, kDataRecordSize> record{};
  std::uint8_t* out = record.data();
  *out++ = ':';
  const auto high = static_cast<std::uint8_t>(address >> 8);
  const auto low = static_cast<std::uint8_t>(address);
  std::uint8_t sum = 0x10 + high + low;
  PutHex(0x10, out);
  PutHex(high, out);
  PutHex(low, out);
  PutHex(0x00, out);
  for (std::size_t i = 0; i < 16; ++i) {
    const std::uint8_t value = image.bytes[address + i];
    sum = static_cast<std::uint8_t>(sum + value);
    PutHex(value, out);
  }
  PutHex(static_cast<std::uint8_t>(-sum), out);
  *out = '\n';
  return record;
}

bool RecordRefused(const std::uint8_t* reply, std::size_t length) {
  const std::size_t n = length - 1;  // less the closing 0x11
  return n != 2 && n != 3 && length >= 2 && reply[1] == '-';
}

bool UploadJigImage(JigLink& link, const JigImage& image, UpdateWindowPort& window) {
  window.SetGaugeMax(static_cast<int>(image.lastAddress));
  if (link.Write(kStartProgramming, sizeof kStartProgramming) != FtStatus::Ok ||
      !TakeReply(link, kStartReply))
    return false;

  std::vector<std::uint8_t> reply;
  for (std::size_t address = 0; address <= image.lastAddress; address += 16) {
    const auto record = DataRecord(image, address);
    if (link.Write(record.data(), kDataRecordSize) != FtStatus::Ok || !link.WaitTxEmpty() ||
        !CollectRecordReply(link, reply))
      return false;
    if (RecordRefused(reply.data(), reply.size())) {
      window.AddLine("ERROR FW upgrade!");
      return false;
    }
    window.SetGaugePosition(static_cast<int>(address + 16));
  }

  link.Write(kEndRecord, sizeof kEndRecord);
  window.AddLine(link.Written() == sizeof kEndRecord ? "отправлено EOF корректно"
                                                      : "отправлено МЕНЬШЕ байт");
  return TakeReply(link, kStartReply);
}

}  // namespace qjig
