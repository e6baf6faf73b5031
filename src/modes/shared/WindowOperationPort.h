#pragma once

#include <functional>

#include "OperationPort.h"

class QPlainTextEdit;
class QWidget;

namespace qjig {

namespace ui {
class Gauge;
}

// How a mode window's worker reaches its window: every call is posted to the
// UI thread, where they run in the order the worker made them. Calls that
// arrive after the window is gone are dropped.
class WindowOperationPort final : public OperationPort {
 public:
  // `ended` runs on the UI thread as the operation's last act: it puts the
  // window's state back to "NONE" and enables its buttons.
  WindowOperationPort(QWidget& window, QPlainTextEdit& memo, ui::Gauge& gauge,
                      std::function<void(bool succeeded)> ended);

  void AddLine(const std::string& line) override;
  void SetGauge(int position) override;
  void SetGaugeColour(std::uint32_t rgb) override;
  void Finished(bool succeeded) override;
  // Asked of the worker thread that runs the operation.
  bool StopRequested() const override;

 private:
  QWidget& window_;
  QPlainTextEdit& memo_;
  ui::Gauge& gauge_;
  std::function<void(bool)> ended_;
};

}  // namespace qjig
