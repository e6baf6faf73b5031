#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string_view>
#include <vector>

#include "KeyboardIndicators.h"
#include "link/JigLink.h"

namespace qjig {

// The keyboard window's operation state while a scan runs.
inline constexpr std::string_view kStateKeyboard = "Keyboard";

// What the status label `Label_keyb_con` says.
enum class KeyboardStatus { Yes, No, NoFtdi, OldFw };
struct StatusLabel {
  std::string_view text;
  std::uint32_t rgb;
};
StatusLabel StatusLabelFor(KeyboardStatus status);

// "OK" while the jig answers; "ERROR" once the window's watchdog or a driver
// call says it does not.
enum class LinkStatus { OK, ERROR };

// What the window asks of a running scan; the scan reads each once per pass.
struct KeyboardRequests {
  std::atomic<bool> stop{false};
  std::atomic<bool> clear{false};
  std::atomic<bool> buzzerOff{false};  // mirrors "Buzzer off"
  std::atomic<LinkStatus> linkStatus{LinkStatus::OK};
  ContactHiding hiding;
};

// What the scan asks of its window while it runs. The Qt side posts each
// call to the UI thread, in the order the scan made them.
class KeyboardScanPort {
 public:
  virtual ~KeyboardScanPort() = default;
  virtual void Paint(std::vector<IndicatorChange> changes) = 0;
  // Starts or stops the watchdog `Timer_KEYB`, which sets the link status
  // to ERROR once a reply is 500 ms late.
  virtual void Watchdog(bool running) = 0;
  // The scan's last call, after the link was closed.
  virtual void Ended(bool linkFailed) = 0;
  // The program is closing: the scan stops at once.
  virtual bool Closing() const = 0;
};

// How long the scan blocks in the driver at a time while it waits for the
// jig, so a stop, a clear or the watchdog is seen promptly. Each wait for a
// report or a buzzer reply also ends after WaitBounds::reply, should no
// watchdog tick come.
inline constexpr std::chrono::milliseconds kScanPollSlice{20};
// With "Buzzer off" a report that changed something is followed by this
// pause instead of the buzzer.
inline constexpr std::chrono::milliseconds kSilentPause{100};

struct KeyboardScanJob {
  JigLink& link;  // open and checked; its buffer holds kKeyboardBufferSize bytes
  KeyboardRequests& requests;
  IndicatorBoard& board;
};

// The body of the worker ReadThread_keyboard: scans until stopped or until
// the jig stops answering, paints each report's changes and sounds the
// buzzer after each that changed something; then closes the link and ends.
//
// A read takes at most what the link buffer holds; the rest waits for the
// next pass. A report that outgrows its buffer without its '&' ends the
// scan as a lost link does.
void RunKeyboardScan(KeyboardScanJob& job, KeyboardScanPort& window);

}  // namespace qjig
