#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "jigfw/FirmwareSwitch.h"

namespace testsupport {

// Stands in for the update and main windows: records every request of the
// firmware switch in order, as text ("line: ...", "gauge 16", "exit", ...).
// The boot time limit runs out `bootLimit` after it was started, as the
// main window's timer would.
class RecordingWindow : public qjig::UpdateWindowPort {
 public:
  explicit RecordingWindow(std::chrono::milliseconds bootLimit = std::chrono::seconds(5))
      : bootLimit_(bootLimit) {}

  void ShowUpdateWindow() override { Record("show update"); }
  void HideUpdateWindow() override { Record("hide update"); }
  void AddLine(const std::string& line) override { Record("line: " + line); }
  void SetGaugeMax(int max) override { Record("gauge max " + std::to_string(max)); }
  void SetGaugePosition(int position) override { Record("gauge " + std::to_string(position)); }
  void EnableExit() override { Record("exit"); }
  void StartResetPrompt() override { Record("reset prompt"); }
  void StartBootTimeLimit() override {
    Record("boot limit");
    std::lock_guard lock(mutex_);
    bootLimitStart_ = std::chrono::steady_clock::now();
  }
  bool BootTimedOut() const override {
    std::lock_guard lock(mutex_);
    return std::chrono::steady_clock::now() - bootLimitStart_ >= bootLimit_;
  }
  bool StopRequested() const override { return stopRequested; }
  void RequestModeWindow() override { Record("mode window"); }
  void ShowMainWindow() override { Record("show main"); }

  std::vector<std::string> Events() const {
    std::lock_guard lock(mutex_);
    return events_;
  }
  // The events without gauge positions, which a long upload has hundreds of.
  std::vector<std::string> EventsWithoutGauge() const;
  std::vector<std::string> Lines() const;
  int Count(const std::string& prefix) const;

  std::atomic<bool> stopRequested = false;

 private:
  void Record(const std::string& event) {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
  }

  const std::chrono::milliseconds bootLimit_;
  mutable std::mutex mutex_;
  std::vector<std::string> events_;
  std::chrono::steady_clock::time_point bootLimitStart_ = std::chrono::steady_clock::time_point::max();
};

}  // namespace testsupport
