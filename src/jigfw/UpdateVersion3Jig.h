#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "FirmwareSwitch.h"

namespace qjig {

// A version tag with this text belongs to a version-3 jig (M328 and CPLD).
inline constexpr std::string_view kVersion3Tag = "M328_EPM240";
// ... and with this one it already runs the firmware this program brings.
inline constexpr std::string_view kVersion3CurrentTag = "M328_EPM240_v19";
inline constexpr std::string_view kVersion3File = "M328_EPM240_v19.vss";
// The update buffer; a longer file is sent up to here only.
inline constexpr std::size_t kVersion3BufferSize = 131072;
inline constexpr std::size_t kVersion3BlockSize = 128;

// Brings a version-3 jig to the current firmware through its M328 bootloader,
// on its own link to device 0. True when the jig already ran it or the
// update went through.
bool UpdateVersion3Jig(FtdiDriver& driver, const std::string& versionTag, const ImageFolders& images,
                       UpdateWindowPort& window, const std::filesystem::path& startLog);

}  // namespace qjig
