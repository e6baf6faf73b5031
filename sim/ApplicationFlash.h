#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "Firmware.h"

namespace sim {

// The two microcontrollers a jig is built around: the M88 of the first
// boards, the M328 (next to a CPLD) of version-3 boards.
enum class McuModel { M88, M328 };

// The application area of the flash: what the bootloader may overwrite.
// The M88 keeps 6 KB for the application; the M328 bootloader takes up to
// 128 KB, which is what the host may send it.
std::size_t ApplicationFlashSize(McuModel model);

// An application known by its family and version tag rather than by bytes:
// the firmware a bench's jig comes with.
struct KnownApplication {
  std::string family;
  std::string tag;
};

// The application area of a jig's flash. A jig off the bench holds a known
// application; once a bootloader erases or writes the area, only its bytes
// tell what is there.
class ApplicationFlash {
 public:
  ApplicationFlash(McuModel model, std::optional<KnownApplication> installed);

  std::size_t Size() const { return bytes_.size(); }
  const Bytes& Contents() const { return bytes_; }
  const std::optional<KnownApplication>& Installed() const { return installed_; }
  // Nothing in it at all: every byte 0xFF and no known application.
  bool IsBlank() const;

  void Erase();
  // False, writing nothing, when the bytes do not fit.
  bool Write(std::size_t address, std::span<const std::uint8_t> bytes);

 private:
  Bytes bytes_;
  std::optional<KnownApplication> installed_;
};

}  // namespace sim
