#include "TargetKinds.h"

#include "EdidTargetKinds.h"
#include "EneTargetKinds.h"
#include "KeyboardTargetKind.h"

namespace sim {

namespace {

const std::map<std::string, TargetFactory, std::less<>>& Kinds() {
  static const std::map<std::string, TargetFactory, std::less<>> kinds{
      {"kb9012", MakeKb9012},
      {"brimex", MakeBrimex},
      {"edid-eeprom", MakeEdidEeprom},
      {"keyboard", MakeKeyboard},
  };
  return kinds;
}

}  // namespace

const TargetFactory* FindTargetKind(std::string_view kind) {
  const auto& kinds = Kinds();
  const auto found = kinds.find(kind);
  return found == kinds.end() ? nullptr : &found->second;
}

}  // namespace sim
