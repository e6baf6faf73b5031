#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ApplicationFirmware.h"

namespace sim {

// One application firmware the jig can run: the name a bench file uses, the
// version tag it answers with unless the bench gives another, and its
// command set (none yet: the firmware then only answers the version query).
struct FirmwareFamily {
  std::string_view name;
  std::string_view defaultTag;
  std::function<std::unique_ptr<CommandSet>()> makeCommands;
};

const FirmwareFamily* FindFirmwareFamily(std::string_view name);
std::string FirmwareFamilyNames();

}  // namespace sim
