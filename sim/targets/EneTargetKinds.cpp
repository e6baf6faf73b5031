#include "EneTargetKinds.h"

#include <vector>

#include "BrimexBoard.h"
#include "Kb9012.h"
#include "TargetParamReader.h"

namespace sim {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const auto end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::optional<StuckBits> ParseStuckBits(std::string_view text) {
  const auto fields = Split(text, ':');
  if (fields.size() != 3) return std::nullopt;
  const auto address = ParseBenchNumber(fields[0]);
  const auto mask = ParseBenchNumber(fields[1]);
  const auto level = ParseBenchNumber(fields[2]);
  if (!address || *address >= Kb9012::kFlashSize || !mask || *mask == 0 || *mask > 0xFF || !level || *level > 1)
    return std::nullopt;
  return StuckBits{*address, static_cast<std::uint8_t>(*mask), *level == 1};
}

std::optional<SenseBytes> ParseSense(std::string_view text) {
  const auto fields = Split(text, ',');
  if (fields.size() != 3) return std::nullopt;
  SenseBytes sense{};
  for (std::size_t i = 0; i < sense.size(); ++i) {
    const auto value = ParseBenchNumber(fields[i]);
    if (!value || *value > 0xFF) return std::nullopt;
    sense[i] = static_cast<std::uint8_t>(*value);
  }
  return sense;
}

// Hands the target over only when the whole line was good.
template <typename T, typename... Args>
std::unique_ptr<Target> Finish(const TargetParamReader& reader, std::string& problem, Args&&... args) {
  problem = reader.Problem();
  if (!problem.empty()) return nullptr;
  return std::make_unique<T>(std::forward<Args>(args)...);
}

}  // namespace

std::unique_ptr<Target> MakeKb9012(const TargetParams& params, std::string& problem) {
  TargetParamReader reader("kb9012", params);
  Kb9012Setup setup;
  // 0xFF is what the jig answers when no chip does.
  if (const auto version = reader.TakeNumber("debug-version", 0xFE))
    setup.debugVersion = static_cast<std::uint8_t>(*version);
  if (const auto content = reader.TakeChoice("content", {"pattern", "erased"})) setup.erased = *content == 1;
  if (const auto block = reader.TakeNumber("lost-at-block", Kb9012::kBlockCount - 1)) setup.lostAtBlock = *block;
  if (const auto absent = reader.TakeChoice("absent", {"no", "yes"})) setup.absent = *absent == 1;
  if (const auto stuck = reader.Take("stuck"))
    for (const std::string_view one : Split(*stuck, ',')) {
      const auto bits = ParseStuckBits(one);
      if (!bits) {
        reader.Fail("stuck must be ADDR:MASK:LEVEL (address below 0x20000, mask 1 to 0xFF, level 0 or 1), not '" +
                    std::string(one) + "'");
        break;
      }
      setup.stuck.push_back(*bits);
    }
  return Finish<Kb9012>(reader, problem, std::move(setup));
}

std::unique_ptr<Target> MakeBrimex(const TargetParams& params, std::string& problem) {
  TargetParamReader reader("brimex", params);
  constexpr AdapterPins kPositions[] = {AdapterPins::Pins1To2, AdapterPins::Pins31To32, AdapterPins::None,
                                        AdapterPins::Both};
  const auto position = reader.TakeChoice("position", {"1-2", "31-32", "none", "both"});
  if (!position && !params.contains("position")) reader.Fail("position is required (1-2|31-32|none|both)");
  std::optional<SenseBytes> sense;
  if (const auto text = reader.Take("sense")) {
    sense = ParseSense(*text);
    if (!sense) reader.Fail("sense must be three bytes R0,R1,R2, not '" + *text + "'");
  }
  return Finish<BrimexBoard>(reader, problem, position ? kPositions[*position] : AdapterPins::None, sense);
}

}  // namespace sim
