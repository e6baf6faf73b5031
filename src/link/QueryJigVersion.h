#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "JigLink.h"
#include "StartLog.h"

namespace qjig {

// The start-up tag when there was no reply to read.
inline constexpr std::string_view kTagNoDevice = "FTDI device not found";
inline constexpr std::string_view kTagNoAnswer = "FTDI found, ERROR answer";

// Start's search for the jig: tries the devices from the highest number down,
// configures each and sends the version query; the first reply decides.
// Records the whole search in the start log and returns the version tag (or
// one of the two texts above).
//
// With `closeAfter` false the link keeps the last device it opened: the one
// that answered or, when none did, the lowest-numbered one that opened.
// Devices opened before it are closed, so no handle is left behind.
std::string QueryJigVersion(JigLink& link, bool closeAfter,
                            const std::filesystem::path& logPath = kStartLogFile);

}  // namespace qjig
