#include "TargetParamReader.h"

#include <charconv>

namespace sim {

std::optional<std::uint64_t> ParseBenchNumber(std::string_view text) {
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    base = 16;
  }
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

TargetParamReader::TargetParamReader(std::string_view kind, const TargetParams& params)
    : kind_(kind), params_(params) {}

std::optional<std::string> TargetParamReader::Take(std::string_view key) {
  const auto found = params_.find(std::string(key));
  if (found == params_.end()) return std::nullopt;
  taken_.insert(found->first);
  return found->second;
}

std::optional<std::uint64_t> TargetParamReader::TakeNumber(std::string_view key, std::uint64_t max) {
  const auto text = Take(key);
  if (!text) return std::nullopt;
  const auto value = ParseBenchNumber(*text);
  if (value && *value <= max) return value;
  Fail(std::string(key) + " must be a number from 0 to " + std::to_string(max) + ", not '" + *text + "'");
  return std::nullopt;
}

std::optional<std::size_t> TargetParamReader::TakeChoice(std::string_view key,
                                                         std::initializer_list<std::string_view> choices) {
  const auto text = Take(key);
  if (!text) return std::nullopt;
  std::size_t index = 0;
  std::string names;
  for (const std::string_view choice : choices) {
    if (*text == choice) return index;
    names += (index++ ? "|" : "") + std::string(choice);
  }
  Fail(std::string(key) + " must be " + names + ", not '" + *text + "'");
  return std::nullopt;
}

void TargetParamReader::Fail(std::string why) {
  if (problem_.empty()) problem_ = kind_ + ": " + std::move(why);
}

std::string TargetParamReader::Problem() const {
  if (!problem_.empty()) return problem_;
  for (const auto& [key, value] : params_)
    if (!taken_.contains(key)) return kind_ + ": unknown parameter '" + key + "'";
  return {};
}

}  // namespace sim
