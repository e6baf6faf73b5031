#pragma once

#include <string>
#include <vector>

namespace qjig {
struct AppContext;
}

namespace qjig::cli {

// The keyboard tester driven from the command line, against the jig as it
// is (it must already run ENE_EDID_KB):
//   keyboard scan --seconds N [--buzzer-off]
// START SCAN (with "Buzzer off" ticked when asked), STOP after N seconds.
// Prints every indicator change as "A-B red|yellow|black" and the status
// label each time it changes. Exit status: 0 when the scan was stopped, 2
// when the jig was not found or stopped answering, 3 when it runs another
// firmware.
int RunKeyboard(AppContext& context, const std::vector<std::string>& args);

}  // namespace qjig::cli
