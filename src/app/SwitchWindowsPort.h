#pragma once

#include <atomic>

#include "jigfw/FirmwareSwitch.h"

namespace qjig {

class TForm1;
class TUPDATE_FORM;

// How the firmware switch, on its worker thread, reaches the update window
// and the main window: every request is posted to the UI thread, so they
// happen there in the order the switch made them. Only the boot time-out
// flag is read and cleared in place.
class SwitchWindowsPort final : public UpdateWindowPort {
 public:
  SwitchWindowsPort(TForm1& mainWindow, TUPDATE_FORM& updateWindow, std::atomic<bool>& bootTimedOut);

  void ShowUpdateWindow() override;
  void HideUpdateWindow() override;
  void AddLine(const std::string& line) override;
  void SetGaugeMax(int max) override;
  void SetGaugePosition(int position) override;
  void EnableExit() override;
  void StartResetPrompt() override;

  void StartBootTimeLimit() override;
  bool BootTimedOut() const override;
  bool StopRequested() const override;
  void RequestModeWindow() override;
  void ShowMainWindow() override;

 private:
  TForm1& main_;
  TUPDATE_FORM& update_;
  std::atomic<bool>& bootTimedOut_;
};

}  // namespace qjig
