#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "link/JigLink.h"
#include "link/StartLog.h"

namespace qjig {

// What the firmware switch asks of the windows while it runs on its worker
// thread. The Qt side posts each call to the UI thread in order; tests and
// the CLI record them.
class UpdateWindowPort {
 public:
  virtual ~UpdateWindowPort() = default;

  // Update window.
  virtual void ShowUpdateWindow() = 0;
  virtual void HideUpdateWindow() = 0;
  virtual void AddLine(const std::string& line) = 0;
  virtual void SetGaugeMax(int max) = 0;
  virtual void SetGaugePosition(int position) = 0;
  virtual void EnableExit() = 0;
  // Starts the update window's 200 ms timer that asks the user to press the
  // jig's reset button.
  virtual void StartResetPrompt() = 0;

  // Main window.
  // Clears the boot time-out flag and starts the 5-second limit.
  virtual void StartBootTimeLimit() = 0;
  virtual bool BootTimedOut() const = 0;
  // The program is closing: the waits for the user end at once.
  virtual bool StopRequested() const = 0;
  // Opens the mode window 300 ms from now.
  virtual void RequestModeWindow() = 0;
  virtual void ShowMainWindow() = 0;
};

// Where the jig's firmware images are looked for, in order: the program's
// folder first, then the installed data folder.
struct ImageFolders {
  std::vector<std::filesystem::path> folders;
  // The file's path in the first folder that has it, or in the first folder
  // when none has it (that path is what a "not found" line names).
  std::filesystem::path Find(const std::string& fileName) const;
};

// The body of the firmware switch worker: brings the jig to the firmware the
// mode needs, over the start link that Start left open, and always closes it.
// Ends by asking for the mode window, or with the update window's EXIT
// enabled. A version-3 jig is updated from its own file instead.
void RunFirmwareSwitch(JigLink& startLink, const std::string& versionTag, const std::string& mode,
                       const ImageFolders& images, UpdateWindowPort& window,
                       const std::filesystem::path& startLog = kStartLogFile);

}  // namespace qjig
