#pragma once

#include <QStringList>
#include <string>
#include <string_view>

#include "VirtualBench.h"
#include "app/AppContext.h"
#include "app/ProgramWindows.h"
#include "support/TempDir.h"
#include "ui/ScriptedDialogs.h"

namespace testsupport {

// The whole program as main builds it, on a virtual bench given as
// bench-file text: every window, scripted dialogs, the start log and the jig
// images in a temporary folder. The main window is shown, as at start-up.
class ProgramOnBench {
 public:
  explicit ProgramOnBench(std::string_view benchText);

  qjig::AppContext& Context() { return context_; }
  qjig::AppWindows& Windows() { return context_.windows; }
  qjig::ui::ScriptedDialogs& Dialogs() { return dialogs_; }
  const TempDir& Folder() const { return folder_; }

  // Picks `mode` in MAIN_SELECTOR and presses Start.
  void Start(const QString& mode);
  QStringList UpdateLines() const;
  std::string StartLog() const;

 private:
  TempDir folder_;
  qjig::ui::ScriptedDialogs dialogs_;
  qjig::AppContext context_;
  qjig::ProgramWindows windows_;
};

}  // namespace testsupport
