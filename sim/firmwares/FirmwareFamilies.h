#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "../ApplicationFlash.h"
#include "ApplicationFirmware.h"

namespace sim {

// One application firmware the jig can run: the name a bench file uses, the
// version tag it answers with unless the bench gives another, the
// microcontroller it is built for, and its command set (none yet: the
// firmware then only answers the version query).
struct FirmwareFamily {
  std::string_view name;
  std::string_view defaultTag;
  McuModel model;
  std::function<std::unique_ptr<CommandSet>()> makeCommands;
};

const FirmwareFamily* FindFirmwareFamily(std::string_view name);
// The first family built for `model` whose name the tag contains.
const FirmwareFamily* FindFirmwareFamilyOfTag(std::string_view tag, McuModel model);
std::string FirmwareFamilyNames();

}  // namespace sim
