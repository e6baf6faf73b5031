#pragma once

#include <string>
#include <vector>

#include "link/DriverOptions.h"

namespace qjig::cli {

// Whether `command` is one of those that drive the program's windows.
bool IsWindowCommand(const std::string& command);

// Runs one of them on a headless Qt application (the offscreen platform
// unless QT_QPA_PLATFORM says otherwise), with every window created as the
// desktop program creates them and dialogs that print their texts on stderr.
//   start MODE       Start as the main window does; the update window's lines
//                    go to stdout as they appear
//   screenshot DIR   every window drawn into DIR/<instance name>.png
//   ene ...          the KB90xx window's READ, WRITE and wiring help (EneCommands.h)
//   edid ...         the EDID window's READ and WRITE (EdidCommands.h)
//   keyboard scan    the keyboard tester's scan (KeyboardCommands.h)
int RunWindowCommand(const std::string& command, DriverChoice driver, const std::vector<std::string>& args,
                     char* programName);

}  // namespace qjig::cli
