#pragma once

#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "VirtualJig.h"
#include "app/AppContext.h"
#include "app/ProgramWindows.h"
#include "support/TempDir.h"
#include "ui/ScriptedDialogs.h"

class QComboBox;

namespace qjig {
class TKB901X_forms;
}

namespace testsupport {

// The program on a virtual bench, with the KB90xx window at hand: created
// in a temporary folder that holds `connectionBase` as "MB connection
// ENE.txt" (none when not given), every call to the jig traced.
class Kb90Window {
 public:
  explicit Kb90Window(std::string_view benchText, std::optional<std::string> connectionBase = std::nullopt);
  ~Kb90Window();

  qjig::AppWindows& Windows() { return context_.windows; }
  qjig::TKB901X_forms& Window() { return *context_.windows.KB901X_forms; }
  qjig::ui::ScriptedDialogs& Dialogs() { return dialogs_; }
  sim::VirtualJig& Jig() { return *jig_; }
  std::filesystem::path Path(const std::string& name) const { return folder_ / name; }

  // As the user picks an entry of a list: it shows, then its handler runs.
  static void Choose(QComboBox& list, int entry);
  // Until the operation state is "NONE" again (within a generous bound).
  bool WaitIdle();
  // The message box, with every "Current time  ..." line cut to its prefix.
  QStringList MemoLines() const;
  // The bytes of each write since the jig was last opened ("56 31", "52", ...).
  std::vector<std::string> WritesSinceLastOpen() const;
  bool LinkClosed() const;
  // The chip's flash as a read sees it.
  std::vector<std::uint8_t> Chip();

 private:
  std::vector<std::string> Trace() const;

  TempDir folder_;
  qjig::ui::ScriptedDialogs dialogs_;
  std::shared_ptr<sim::VirtualJig> jig_;
  qjig::AppContext context_;
  std::unique_ptr<qjig::ProgramWindows> windows_;
};

}  // namespace testsupport
