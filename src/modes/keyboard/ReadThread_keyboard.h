#pragma once

#include <QThread>
#include <functional>

#include "KeyboardScan.h"

class QObject;

namespace qjig {

// What the scan's calls become on the window's side, each run on the UI
// thread in the order the scan made them.
struct KeyboardWindowCalls {
  std::function<void(const std::vector<IndicatorChange>&)> paint;
  std::function<void(bool running)> watchdog;
  std::function<void(bool linkFailed)> ended;
};

// The keyboard tester's worker. Created running by START SCAN once the jig
// is checked; scans until stopped or until the jig stops answering, and
// deletes itself when it ends. It never touches the window: each call is
// posted to it.
class ReadThread_keyboard final : public QThread, private KeyboardScanPort {
  Q_OBJECT

 public:
  ReadThread_keyboard(KeyboardScanJob job, QObject& window, KeyboardWindowCalls calls);

 protected:
  void run() override;

 private:
  void Paint(std::vector<IndicatorChange> changes) override;
  void Watchdog(bool running) override;
  void Ended(bool linkFailed) override;
  bool Closing() const override;

  KeyboardScanJob job_;
  QObject& window_;
  const KeyboardWindowCalls calls_;
};

}  // namespace qjig
