#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "TargetKinds.h"

namespace sim {

// A number in a bench file: decimal, or hexadecimal after "0x".
std::optional<std::uint64_t> ParseBenchNumber(std::string_view text);

// Reads one target line's parameters. The first problem sticks and is what
// the bench reports, prefixed with the kind ("kb9012: ..."); a parameter no
// one asked for is a problem too, so a typo never passes silently.
class TargetParamReader {
 public:
  TargetParamReader(std::string_view kind, const TargetParams& params);

  // The parameter's raw value, or nothing when the line does not give it.
  std::optional<std::string> Take(std::string_view key);
  // A number from 0 to `max`.
  std::optional<std::uint64_t> TakeNumber(std::string_view key, std::uint64_t max);
  // One of `choices`, returned as its index.
  std::optional<std::size_t> TakeChoice(std::string_view key, std::initializer_list<std::string_view> choices);
  void Fail(std::string why);

  // Empty when every parameter was taken and valid.
  std::string Problem() const;

 private:
  std::string kind_;
  const TargetParams& params_;
  std::set<std::string, std::less<>> taken_;
  std::string problem_;
};

}  // namespace sim
