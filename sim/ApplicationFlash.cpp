#include "ApplicationFlash.h"

#include <algorithm>
#include <utility>

namespace sim {

namespace {
constexpr std::uint8_t kErased = 0xFF;
}

std::size_t ApplicationFlashSize(McuModel model) {
  return model == McuModel::M88 ? 0x1800 : 0x20000;
}

ApplicationFlash::ApplicationFlash(McuModel model, std::optional<KnownApplication> installed)
    : bytes_(ApplicationFlashSize(model), kErased), installed_(std::move(installed)) {}

bool ApplicationFlash::IsBlank() const {
  return !installed_ && std::all_of(bytes_.begin(), bytes_.end(), [](std::uint8_t b) { return b == kErased; });
}

void ApplicationFlash::Erase() {
  installed_.reset();
  std::fill(bytes_.begin(), bytes_.end(), kErased);
}

bool ApplicationFlash::Write(std::size_t address, std::span<const std::uint8_t> bytes) {
  if (address > bytes_.size() || bytes.size() > bytes_.size() - address) return false;
  installed_.reset();
  std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(address));
  return true;
}

}  // namespace sim
