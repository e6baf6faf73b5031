#include "EepromCommands.h"

#include <chrono>
#include <span>

#include "../JigMcu.h"
#include "../targets/EdidEeprom.h"

namespace sim {

namespace {

const Bytes kStatusOk = {'O', 'K'};
const Bytes kStatusError = {'E', 'R'};
// What the jig answers 'E' 'w' with once it is ready for the image.
constexpr std::uint8_t kWriteReady = 'w';
// The gap between the pieces of a read reply on a slow bus.
constexpr std::chrono::milliseconds kPieceGap{20};

}  // namespace

void EepromCommands::OnByte(std::uint8_t byte, JigMcu& mcu) {
  switch (expect_) {
    case Expect::Command: expect_ = Expect::Subcommand; return;
    case Expect::Subcommand: return Subcommand(byte, mcu);
    case Expect::Image: return TakeImageByte(byte, mcu);
  }
}

void EepromCommands::Subcommand(std::uint8_t byte, JigMcu& mcu) {
  expect_ = Expect::Command;
  if (byte == 'r') return Read(mcu);
  if (byte != 'w') return;
  image_.clear();
  expect_ = Expect::Image;
  mcu.Send({kWriteReady});
}

// The bus idles high, so an EEPROM that does not answer reads as 0xFF.
void EepromCommands::Read(JigMcu& mcu) {
  const EdidEeprom* eeprom = mcu.FindTarget<EdidEeprom>();
  const auto content = eeprom ? eeprom->Read() : std::nullopt;
  Bytes reply = content.value_or(Bytes(EdidEeprom::kSize, 0xFF));
  const Bytes& status = content ? kStatusOk : kStatusError;
  reply.insert(reply.end(), status.begin(), status.end());

  const std::size_t pieces = eeprom ? eeprom->ReplyPieces() : 1;
  for (std::size_t k = 0; k < pieces; ++k) {
    const auto begin = reply.begin() + static_cast<std::ptrdiff_t>(k * reply.size() / pieces);
    const auto end = reply.begin() + static_cast<std::ptrdiff_t>((k + 1) * reply.size() / pieces);
    mcu.Send(Bytes(begin, end), static_cast<long long>(k) * kPieceGap);
  }
}

void EepromCommands::TakeImageByte(std::uint8_t byte, JigMcu& mcu) {
  image_.push_back(byte);
  if (image_.size() < EdidEeprom::kSize) return;
  expect_ = Expect::Command;
  EdidEeprom* eeprom = mcu.FindTarget<EdidEeprom>();
  const bool written = eeprom && eeprom->Write(std::span<const std::uint8_t, EdidEeprom::kSize>(image_.data(),
                                                                                                 EdidEeprom::kSize));
  mcu.Send(written ? kStatusOk : kStatusError);
}

}  // namespace sim
