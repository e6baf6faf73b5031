#pragma once

#include <string_view>

namespace qjig {

// The application firmware each mode needs: the text its version tag must
// contain, and the image that carries it.
struct ModeFirmware {
  std::string_view mode;
  std::string_view tag;
  std::string_view imageFile;
};

// Null for a text that is no mode.
const ModeFirmware* FindModeFirmware(std::string_view mode);

}  // namespace qjig
