#include "KeyboardTargetKind.h"

#include <algorithm>

#include "TargetParamReader.h"

namespace sim {

namespace {

constexpr std::uint64_t kMostPieces = 16;
// Longer than any bench session; no sum with a clock reading can overflow.
constexpr std::chrono::milliseconds kLongestTime = std::chrono::hours(24);

std::optional<int> ParseLine(std::string_view text) {
  const auto line = ParseBenchNumber(text);
  if (!line || *line < 1 || *line > KeyboardMatrix::kLines) return std::nullopt;
  return static_cast<int>(*line);
}

std::optional<std::chrono::milliseconds> ParseMs(std::string_view text) {
  const auto ms = ParseBenchNumber(text);
  if (!ms || *ms > static_cast<std::uint64_t>(kLongestTime.count())) return std::nullopt;
  return std::chrono::milliseconds(*ms);
}

std::optional<KeyPress> ParseKeyPress(std::string_view text) {
  const std::size_t at = text.find('@');
  const std::string_view lines = text.substr(0, at);
  const std::size_t dash = lines.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const auto a = ParseLine(lines.substr(0, dash));
  const auto b = ParseLine(lines.substr(dash + 1));
  if (!a || !b || *a == *b) return std::nullopt;
  KeyPress key{std::min(*a, *b), std::max(*a, *b), {}, {}};
  if (at == std::string_view::npos) return key;

  const std::string_view times = text.substr(at + 1);
  const std::size_t dots = times.find("..");
  if (dots == std::string_view::npos) return std::nullopt;
  const auto from = ParseMs(times.substr(0, dots));
  if (!from) return std::nullopt;
  key.from = *from;
  const std::string_view until = times.substr(dots + 2);
  if (until.empty()) return key;
  key.until = ParseMs(until);
  if (!key.until || *key.until <= key.from) return std::nullopt;
  return key;
}

}  // namespace

std::optional<std::vector<KeyPress>> ParseKeyPresses(std::string_view list, std::string& wrong) {
  std::vector<KeyPress> keys;
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string_view one = list.substr(start, comma - start);
    const auto key = ParseKeyPress(one);
    if (!key) {
      wrong = one;
      return std::nullopt;
    }
    keys.push_back(*key);
    start = comma + 1;
  }
  return keys;
}

std::unique_ptr<Target> MakeKeyboard(const TargetParams& params, std::string& problem) {
  TargetParamReader reader("keyboard", params);
  KeyboardSetup setup;
  if (const auto list = reader.Take("press")) {
    std::string wrong;
    if (auto keys = ParseKeyPresses(*list, wrong))
      setup.presses = std::move(*keys);
    else
      reader.Fail("press must be A-B, A-B@T1.. or A-B@T1..T2 (two lines from 1 to 32, times in ms, T1 "
                  "before T2), not '" + wrong + "'");
  }
  if (const auto text = reader.Take("pieces")) {
    const auto pieces = ParseBenchNumber(*text);
    if (pieces && *pieces >= 1 && *pieces <= kMostPieces)
      setup.pieces = static_cast<std::size_t>(*pieces);
    else
      reader.Fail("pieces must be a number from 1 to " + std::to_string(kMostPieces) + ", not '" + *text + "'");
  }
  problem = reader.Problem();
  if (!problem.empty()) return nullptr;
  return std::make_unique<KeyboardMatrix>(std::move(setup));
}

}  // namespace sim
