#include "FirmwareFamilies.h"

#include <array>

#include "EneCommands.h"

namespace sim {

namespace {

const std::array<FirmwareFamily, 5>& Families() {
  static const std::array<FirmwareFamily, 5> families{{
      {"ENE_EDID_KB", "ENE_EDID_KB_V3.7", McuModel::M88, MakeEneCommands},
      {"NPCE", "M88_NPCE288_V2.4", McuModel::M88, nullptr},
      {"ITE2", "ITE2_PROJ_M88_V1.9", McuModel::M88, nullptr},
      {"V42", "M88_JTAG_MEC_V42", McuModel::M88, nullptr},
      {"M328_EPM240", "M328_EPM240_v19", McuModel::M328, nullptr},
  }};
  return families;
}

}  // namespace

const FirmwareFamily* FindFirmwareFamily(std::string_view name) {
  for (const FirmwareFamily& family : Families())
    if (family.name == name) return &family;
  return nullptr;
}

const FirmwareFamily* FindFirmwareFamilyOfTag(std::string_view tag, McuModel model) {
  for (const FirmwareFamily& family : Families())
    if (family.model == model && tag.find(family.name) != std::string_view::npos) return &family;
  return nullptr;
}

std::string FirmwareFamilyNames() {
  std::string names;
  for (const FirmwareFamily& family : Families()) {
    if (!names.empty()) names += ", ";
    names += family.name;
  }
  return names;
}

}  // namespace sim
