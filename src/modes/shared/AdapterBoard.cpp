#include "AdapterBoard.h"

namespace qjig {

namespace {

constexpr std::uint32_t kSenseReply = 3;
constexpr std::uint8_t kSensePins1To2 = 0x40;    // in R0
constexpr std::uint8_t kSensePins31To32 = 0x02;  // in R1

constexpr std::string_view kNoAnswer = "The programmer is not found or does not respond";

bool ReadSense(JigLink& link, std::string_view probe, std::uint8_t& r0, std::uint8_t& r1) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(probe.data());
  if (link.Write(bytes, static_cast<std::uint32_t>(probe.size())) != FtStatus::Ok) return false;
  if (!link.WaitRxExactly(kSenseReply)) return false;
  if (link.Read(kSenseReply) != FtStatus::Ok || link.Received() != kSenseReply) return false;
  r0 = link.Buffer()[0];
  r1 = link.Buffer()[1];
  return true;
}

}  // namespace

AdapterSense ClassifyAdapterSense(std::uint8_t r0, std::uint8_t r1) {
  int found = 0;
  if ((r0 & kSensePins1To2) == 0) found += 1;
  if ((r1 & kSensePins31To32) == 0) found += 2;
  return static_cast<AdapterSense>(found);
}

bool DetectAdapterBoard(JigLink& link, const AdapterVariant& variant, AdapterOrientation& remembered,
                        const LineSink& box) {
  std::uint8_t r0 = 0;
  std::uint8_t r1 = 0;
  if (!ReadSense(link, variant.probe, r0, r1)) {
    box(std::string(kNoAnswer));
    return false;
  }
  AdapterOrientation found{};
  std::uint8_t command = 0;
  switch (ClassifyAdapterSense(r0, r1)) {
    case AdapterSense::Absent:
      box("BRIMEX not found! Connected?");
      return false;
    case AdapterSense::Both:
      box("ERROR connected to BRIMEX!");
      return false;
    case AdapterSense::Pins1To2:
      box("BRIMEX found! (1-2)");
      found = AdapterOrientation::Pins1To2;
      command = variant.pins1To2;
      break;
    case AdapterSense::Pins31To32:
      box("BRIMEX found! (31-32)");
      found = AdapterOrientation::Pins31To32;
      command = variant.pins31To32;
      break;
  }
  // The board is there whatever the jig makes of the command next.
  remembered = found;
  if (!link.SendSwitchAwaitReply(command)) {
    box(std::string(kNoAnswer));
    return false;
  }
  return true;
}

}  // namespace qjig
