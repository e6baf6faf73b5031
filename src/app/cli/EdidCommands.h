#pragma once

#include <string>
#include <vector>

namespace qjig {
struct AppContext;
namespace ui {
class ScriptedDialogs;
}
}  // namespace qjig

namespace qjig::cli {

// The EDID window driven from the command line, against the jig as it is
// (it must already run ENE_EDID_KB):
//   edid read FILE    EDID_READ, saving into FILE
//   edid write FILE   EDID_WRITE from FILE
// The message box's lines go to stdout as they appear.
int RunEdid(AppContext& context, ui::ScriptedDialogs& dialogs, const std::vector<std::string>& args);

}  // namespace qjig::cli
