#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "AppContext.h"

namespace qjig {

// Every window of the program, created in the design's order with its
// instance name, and entered in the context as it comes. Only the caller
// shows a window (the main window).
class ProgramWindows {
 public:
  explicit ProgramWindows(AppContext& context);
  // Lets a running worker end before any window goes.
  ~ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  // In creation order.
  const std::vector<QWidget*>& All() const { return order_; }

 private:
  template <typename Window>
  void Adopt(std::unique_ptr<Window> window, Window* AppWindows::*slot, const char* name);

  AppContext& context_;
  std::vector<std::unique_ptr<QWidget>> owned_;
  std::vector<QWidget*> order_;
};

}  // namespace qjig
