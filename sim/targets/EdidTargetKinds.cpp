#include "EdidTargetKinds.h"

#include "EdidEeprom.h"
#include "TargetParamReader.h"

namespace sim {

namespace {

constexpr std::size_t kChecksumByte = 127;
// The read reply is 258 bytes; a piece is at least one of them.
constexpr std::uint64_t kMostReplyPieces = EdidEeprom::kSize + 2;

Bytes Content(std::size_t choice) {
  enum { kEdid, kErased, kBadChecksum };
  if (choice == kErased) return Bytes(EdidEeprom::kSize, 0xFF);
  Bytes content = SamplePanelEdid();
  if (choice == kBadChecksum) ++content[kChecksumByte];
  return content;
}

}  // namespace

std::unique_ptr<Target> MakeEdidEeprom(const TargetParams& params, std::string& problem) {
  TargetParamReader reader("edid-eeprom", params);
  EdidEepromSetup setup;
  setup.content = Content(reader.TakeChoice("content", {"edid", "erased", "bad-checksum"}).value_or(0));
  setup.writeProtected = reader.TakeChoice("write-protect", {"no", "yes"}).value_or(0) == 1;
  setup.absent = reader.TakeChoice("absent", {"no", "yes"}).value_or(0) == 1;
  if (const auto text = reader.Take("reply-pieces")) {
    const auto pieces = ParseBenchNumber(*text);
    if (pieces && *pieces >= 1 && *pieces <= kMostReplyPieces)
      setup.replyPieces = *pieces;
    else
      reader.Fail("reply-pieces must be a number from 1 to " + std::to_string(kMostReplyPieces) + ", not '" + *text +
                  "'");
  }
  problem = reader.Problem();
  if (!problem.empty()) return nullptr;
  return std::make_unique<EdidEeprom>(std::move(setup));
}

}  // namespace sim
