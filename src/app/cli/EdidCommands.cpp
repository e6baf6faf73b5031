#include "EdidCommands.h"

#include <iostream>

#include "CheckExit.h"
#include "MemoEcho.h"
#include "app/AppContext.h"
#include "modes/edid/TEDID_form.h"
#include "ui/ScriptedDialogs.h"

namespace qjig::cli {

int RunEdid(AppContext& context, ui::ScriptedDialogs& dialogs, const std::vector<std::string>& args) {
  if (args.size() != 2 || (args[0] != "read" && args[0] != "write")) {
    std::cerr << "edid needs one of:\n  edid read FILE\n  edid write FILE\n";
    return kExitFailure;
  }
  TEDID_form& window = *context.windows.EDID_form;
  MemoEcho echo(*window.EDID_Memo);
  dialogs.QueueFileAnswer(QString::fromStdString(args[1]));
  // The operation runs to its end inside the handler, as in the window.
  if (args[0] == "read") {
    window.EDID_READClick();
  } else {
    window.EDID_WRITEClick();
  }
  if (window.LastCheck() != CheckResult::Ready) return ExitForCheck(window.LastCheck());
  return window.LastOperationSucceeded() ? kExitSuccess : kExitFailure;
}

}  // namespace qjig::cli
