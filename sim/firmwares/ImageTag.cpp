#include "ImageTag.h"

#include <algorithm>

namespace sim {

std::string ImageTagBytes(std::string_view tag) {
  std::string bytes(kImageTagMarker);
  bytes += tag;
  bytes += '\0';
  return bytes;
}

std::optional<std::string> FindImageTag(std::span<const std::uint8_t> image) {
  for (auto at = image.begin();;) {
    at = std::search(at, image.end(), kImageTagMarker.begin(), kImageTagMarker.end());
    if (at == image.end()) return std::nullopt;
    const auto tagStart = at + static_cast<std::ptrdiff_t>(kImageTagMarker.size());
    const auto tagEnd = std::find(tagStart, image.end(), std::uint8_t{0});
    if (tagEnd != image.end()) return std::string(tagStart, tagEnd);
    ++at;
  }
}

}  // namespace sim
