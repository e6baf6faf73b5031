#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "JigLink.h"

namespace qjig {

enum class CheckResult { NotFound = 0, Ready = 1, WrongFirmware = 2 };

// The mode windows, each with its own row of the programmer check.
enum class CheckWindow { Edid, Kb90, Keyboard, Mec, Ite, NpceSpi, NpceJtag };

// How one window checks the jig before an operation.
struct CheckRow {
  CheckWindow window;
  bool countLine;  // "Number of VCOM ports found ..."
  // The version line's prefix for each of the window's message boxes; no
  // entries: the window writes no version line.
  std::vector<std::string_view> versionPrefixes;
  // The tag passes when it contains any of these; no entries: any reply passes.
  std::vector<std::string_view> acceptedTags;
  bool successLine;  // "Communication with programmer installed."
  std::uint32_t timeoutMs;
  std::string_view notFoundLine;  // empty: none
  bool latencyBeforeTimeouts;     // the keyboard tester sets 2 ms first
};

const CheckRow& CheckRowFor(CheckWindow window);

// A window's message box as the check sees it: somewhere to add a line.
using LineSink = std::function<void(const std::string&)>;

// Finds the jig for a window, from the highest device number down. Every line
// goes to each of `boxes` (the version line with that box's prefix). On
// Ready the link is open and configured, latency included, and `windowTag`
// holds the jig's tag; otherwise the link is closed.
CheckResult CheckProgrammer(JigLink& link, const CheckRow& row, std::span<const LineSink> boxes,
                            std::string& windowTag);

}  // namespace qjig
