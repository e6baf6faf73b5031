#include "ModeFirmware.h"

#include <array>

namespace qjig {

namespace {

constexpr std::array<ModeFirmware, 7> kModes{{
    {"EDID lcd", "ENE_EDID_KB", "ENE_EDID_KB.hex"},
    {"Keyboard testing", "ENE_EDID_KB", "ENE_EDID_KB.hex"},
    {"ENE KB90XX", "ENE_EDID_KB", "ENE_EDID_KB.hex"},
    {"MEC jtag", "V42", "M88_jtag.hex"},
    {"ITE", "ITE2", "ITE2_PROJ_M88.hex"},
    {"NUVOTON spi", "NPCE", "M88_NPCE288.hex"},
    {"NUVOTON jtag", "NPCE", "M88_NPCE288.hex"},
}};

}  // namespace

const ModeFirmware* FindModeFirmware(std::string_view mode) {
  for (const ModeFirmware& entry : kModes)
    if (entry.mode == mode) return &entry;
  return nullptr;
}

}  // namespace qjig
