#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace qjig {

// The M88's application flash as the bootloader receives it.
inline constexpr std::size_t kJigImageSize = 0x1800;
// Only the start of an image file is read; the M88 images are far smaller.
inline constexpr std::size_t kJigImageTextMax = 32768;

struct JigImage {
  std::array<std::uint8_t, kJigImageSize> bytes{};
  // The highest address holding something other than 0xFF.
  std::size_t lastAddress = 0;
};

enum class ImageLoad { FileMissing, WrongFormat, Loaded };

// Reads an Intel HEX image of the M88 application: data records of upper-
// case hex with CR LF line ends and an optional end record. Gaps stay 0xFF.
// Writes its progress lines through `line`.
ImageLoad LoadJigImage(const std::filesystem::path& path, JigImage& image,
                       const std::function<void(const std::string&)>& line);

// The reader proper, on text already read.
bool ParseJigImageText(std::string_view text, JigImage& image);

}  // namespace qjig
