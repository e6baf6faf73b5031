#include "EneCommands.h"

#include <algorithm>
#include <span>
#include <vector>

#include "../JigMcu.h"
#include "../targets/BrimexBoard.h"
#include "../targets/Kb9012.h"
#include "EepromCommands.h"
#include "KeyboardScan.h"

namespace sim {

namespace {

constexpr std::uint8_t kNoChip = 0xFF;
constexpr std::uint8_t kStatusOk = 0x00;
constexpr std::uint8_t kStatusLost = 0x65;

// The jig's end of the ENE debug lines. It keeps one block counter for
// reads and writes alike: its start, a chip connect 'v' and the end of a
// sequence 'X' put it at block 0, and every block read ('R' or 'N') or
// written moves it on by one, wrapping after the last block. 'R' and 'N'
// differ only in the host's intent, so a read ('R', then 'N's) and a
// verification ('R' for every block) both walk the flash in order.
//
// A write erases each 4 KB sector the first time the sequence writes into
// it, so the blocks land on erased flash whatever the chip held.
class EneCommands : public CommandSet {
 public:
  bool OnByte(std::uint8_t byte, JigMcu& mcu) override {
    switch (expect_) {
      case Expect::AdapterArgument: return Adapter(byte, mcu), true;
      case Expect::BlockData: return TakeBlockByte(byte, mcu), true;
      case Expect::Command: break;
    }
    if (eeprom_.Takes(byte)) return eeprom_.OnByte(byte, mcu), true;
    switch (byte) {
      case 'v': return Connect(mcu), true;
      case 'R':
      case 'N': return ReadBlock(mcu), true;
      case 'W': return StartWrite(mcu), true;
      case 'X': return EndSequence(), true;
      case 'U': return ScanKeyboard(mcu), true;
      case 'I':
      case 'O': return Signal(byte, mcu), true;
      case 'V': return expect_ = Expect::AdapterArgument, true;
      default: return false;
    }
  }

 private:
  enum class Expect { Command, AdapterArgument, BlockData };

  Kb9012* ReachableChip(JigMcu& mcu) const {
    Kb9012* chip = mcu.FindTarget<Kb9012>();
    return chip && ChipLinesReachTarget(lines_, mcu.FindTarget<BrimexBoard>()) ? chip : nullptr;
  }

  std::size_t TakeBlockNumber() {
    const std::size_t block = nextBlock_;
    nextBlock_ = (nextBlock_ + 1) % Kb9012::kBlockCount;
    return block;
  }

  void EndSequence() {
    nextBlock_ = 0;
    erasedSectors_.assign(Kb9012::kSectorCount, false);
  }

  void Connect(JigMcu& mcu) {
    EndSequence();
    Kb9012* chip = ReachableChip(mcu);
    const auto version = chip ? chip->Connect() : std::nullopt;
    mcu.Send({version.value_or(kNoChip)});
  }

  void ReadBlock(JigMcu& mcu) {
    const std::size_t block = TakeBlockNumber();
    Bytes reply(Kb9012::kBlockSize, 0xFF);
    reply.push_back(kStatusLost);
    Kb9012* chip = ReachableChip(mcu);
    if (const auto data = chip ? chip->ReadBlock(block) : std::nullopt) {
      std::copy(data->begin(), data->end(), reply.begin());
      reply.back() = kStatusOk;
    }
    mcu.Send(reply);
  }

  void StartWrite(JigMcu& mcu) {
    block_.clear();
    expect_ = Expect::BlockData;
    mcu.Send({'W'});
  }

  void TakeBlockByte(std::uint8_t byte, JigMcu& mcu) {
    block_.push_back(byte);
    if (block_.size() < Kb9012::kBlockSize) return;
    expect_ = Expect::Command;
    const std::size_t block = TakeBlockNumber();
    const std::size_t sector = block * Kb9012::kBlockSize / Kb9012::kSectorSize;
    const std::span<const std::uint8_t, Kb9012::kBlockSize> data(block_.data(), Kb9012::kBlockSize);
    Kb9012* chip = ReachableChip(mcu);
    const bool written = chip && chip->WriteBlock(block, data, !erasedSectors_[sector]);
    if (written) erasedSectors_[sector] = true;
    mcu.Send({written ? kStatusOk : kStatusLost});
  }

  void Signal(std::uint8_t byte, JigMcu& mcu) {
    mcu.SoundBuzzer();
    mcu.Send({byte});
  }

  void Adapter(std::uint8_t argument, JigMcu& mcu) {
    expect_ = Expect::Command;
    switch (argument) {
      case '1': lines_.on = true; break;
      case '0': lines_.on = false; break;
      case '5': lines_.position = AdapterPins::Pins1To2; break;
      case '6': lines_.position = AdapterPins::Pins31To32; break;
      case '9': {
        const SenseBytes sense = ReadSenseLines(mcu.FindTarget<BrimexBoard>());
        mcu.Send(Bytes(sense.begin(), sense.end()));
        return;
      }
      default: break;
    }
    if (auto* board = mcu.FindTarget<BrimexBoard>()) board->Drive(lines_);
    mcu.Send({argument});
  }

  Expect expect_ = Expect::Command;
  std::size_t nextBlock_ = 0;
  std::vector<bool> erasedSectors_ = std::vector<bool>(Kb9012::kSectorCount, false);
  Bytes block_;
  AdapterLines lines_;
  EepromCommands eeprom_;
};

}  // namespace

std::unique_ptr<CommandSet> MakeEneCommands() { return std::make_unique<EneCommands>(); }

}  // namespace sim
