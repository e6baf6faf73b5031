#include "Kb9012.h"

#include <algorithm>
#include <utility>

namespace sim {

namespace {

constexpr std::uint8_t kErased = 0xFF;

// Leftover firmware: a fill from the address, so every block differs from
// its neighbours and a block read out of order shows.
std::uint8_t PatternByte(std::size_t address) {
  return static_cast<std::uint8_t>((static_cast<std::uint32_t>(address) * 2654435761u) >> 24);
}

}  // namespace

Kb9012::Kb9012(Kb9012Setup setup) : setup_(std::move(setup)), cells_(kFlashSize, kErased) {
  if (!setup_.erased)
    for (std::size_t address = 0; address < kFlashSize; ++address) cells_[address] = PatternByte(address);
}

std::optional<std::uint8_t> Kb9012::Connect() {
  inContact_ = true;
  if (!Answers()) return std::nullopt;
  return setup_.debugVersion;
}

bool Kb9012::Reach(std::size_t block) {
  if (!Answers()) return false;
  if (setup_.lostAtBlock == block && !contactLossDone_) {
    contactLossDone_ = true;
    inContact_ = false;
    return false;
  }
  return true;
}

std::uint8_t Kb9012::ReadCell(std::size_t address) const {
  std::uint8_t value = cells_[address];
  for (const StuckBits& stuck : setup_.stuck)
    if (stuck.address == address) value = static_cast<std::uint8_t>(stuck.level ? value | stuck.mask : value & ~stuck.mask);
  return value;
}

std::optional<Kb9012::Block> Kb9012::ReadBlock(std::size_t block) {
  if (!Reach(block)) return std::nullopt;
  Block data;
  for (std::size_t i = 0; i < kBlockSize; ++i) data[i] = ReadCell(block * kBlockSize + i);
  return data;
}

bool Kb9012::WriteBlock(std::size_t block, std::span<const std::uint8_t, kBlockSize> data,
                        bool eraseSectorFirst) {
  if (!Reach(block)) return false;
  const std::size_t start = block * kBlockSize;
  if (eraseSectorFirst) {
    const auto sector = cells_.begin() + static_cast<std::ptrdiff_t>(start / kSectorSize * kSectorSize);
    std::fill(sector, sector + kSectorSize, kErased);
  }
  for (std::size_t i = 0; i < kBlockSize; ++i) cells_[start + i] &= data[i];
  return true;
}

Bytes Kb9012::Contents() const {
  Bytes contents(kFlashSize);
  for (std::size_t address = 0; address < kFlashSize; ++address) contents[address] = ReadCell(address);
  return contents;
}

}  // namespace sim
