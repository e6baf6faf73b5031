#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sim {

// A jig firmware image names itself: this marker, then its version tag and a
// 0x00 byte, anywhere in the image. The bootloaders find the application
// they start by it, and the sample images carry it.
inline constexpr std::string_view kImageTagMarker = "QXTAG=";

// The marker, the tag and the closing 0x00, as an image carries them.
std::string ImageTagBytes(std::string_view tag);

// The tag after the first marker that a 0x00 closes.
std::optional<std::string> FindImageTag(std::span<const std::uint8_t> image);

}  // namespace sim
