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

// The KB90xx window driven from the command line, against the jig as it is
// (it must already run ENE_EDID_KB):
//   ene read FILE [--brimex]    READ into FILE
//   ene write FILE [--brimex]   WRITE FILE and verify it
//   ene wiring --board TEXT --ffc N [--reversed]
//                               the wiring help for the first motherboard of
//                               the connection base whose entry starts with
//                               TEXT and an N-pin cable; prints Label_result
// --brimex chooses the adapter board entry first. READ and WRITE print the
// message box's lines as they appear.
int RunEne(AppContext& context, ui::ScriptedDialogs& dialogs, const std::vector<std::string>& args);

}  // namespace qjig::cli
