#include "Programs.h"

#include "../Wire.h"
#include "ApplicationFirmware.h"
#include "FirmwareFamilies.h"
#include "ImageTag.h"
#include "M328Bootloader.h"
#include "M88Bootloader.h"

namespace sim {

namespace {

class UnknownApplication : public Firmware {
 public:
  FirmwareKind Kind() const override { return FirmwareKind::UnknownApplication; }
  std::uint32_t UartBaud() const override { return kApplicationBaud; }
  std::string VersionTag() const override { return {}; }
  bool OnByte(std::uint8_t, JigMcu&) override { return false; }
};

}  // namespace

std::unique_ptr<Firmware> MakeBootloader(McuModel model) {
  if (model == McuModel::M88) return std::make_unique<M88Bootloader>();
  return std::make_unique<M328Bootloader>();
}

std::unique_ptr<Firmware> MakeApplication(const ApplicationFlash& flash, McuModel model) {
  std::string tag;
  const FirmwareFamily* family = nullptr;
  if (const auto& installed = flash.Installed()) {
    tag = installed->tag;
    family = FindFirmwareFamily(installed->family);
  } else if (auto found = FindImageTag(flash.Contents())) {
    tag = std::move(*found);
    family = FindFirmwareFamilyOfTag(tag, model);
  }
  if (!family) return std::make_unique<UnknownApplication>();
  // The M88 applications jump to their bootloader when asked; the M328 one
  // has no such command, so only the reset button gets a version-3 jig
  // into its bootloader.
  return std::make_unique<ApplicationFirmware>(tag, family->makeCommands ? family->makeCommands() : nullptr,
                                               model == McuModel::M88);
}

}  // namespace sim
