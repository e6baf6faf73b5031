#pragma once

#include <QWidget>
#include <span>
#include <string_view>

#include "AppContext.h"

namespace qjig {

// MAIN_SELECTOR's first item: a prompt, no mode.
inline constexpr std::string_view kSelectPrompt = "Please select ";
// The one mode a version-3 jig is still served in.
inline constexpr std::string_view kMecMode = "MEC jtag";

// A mode as the main window offers it: its text in MAIN_SELECTOR (compared
// whole and case-sensitively) and the window it opens.
struct Mode {
  std::string_view text;
  QWidget* (*window)(const AppWindows& windows);
};

// The modes in MAIN_SELECTOR's order, after the prompt.
std::span<const Mode> Modes();

// The window of `mode`, or null when the text is no mode.
QWidget* ModeWindowFor(const AppWindows& windows, std::string_view mode);

}  // namespace qjig
