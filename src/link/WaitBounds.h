#pragma once

#include <chrono>

namespace qjig {

// How long the program waits on the jig where the protocol itself sets no
// limit. Every JigLink wait takes one of these; a bound that expires takes
// the caller's failure path. The values are generous for a healthy jig at
// 921600 baud and short enough that a pulled cable is reported promptly.
struct WaitBounds {
  // One reply byte after a command byte.
  std::chrono::milliseconds reply{2000};
  // A reply of known length to fill the receive queue.
  std::chrono::milliseconds queue{3000};
  // The transmit queue to drain after a write.
  std::chrono::milliseconds txDrain{2000};
};

// The bounds in force for the whole process. Tests shorten them with
// ScopedWaitBounds before any worker starts.
WaitBounds& JigWaitBounds();

class ScopedWaitBounds {
 public:
  explicit ScopedWaitBounds(const WaitBounds& bounds) : saved_(JigWaitBounds()) {
    JigWaitBounds() = bounds;
  }
  ~ScopedWaitBounds() { JigWaitBounds() = saved_; }
  ScopedWaitBounds(const ScopedWaitBounds&) = delete;
  ScopedWaitBounds& operator=(const ScopedWaitBounds&) = delete;

 private:
  WaitBounds saved_;
};

}  // namespace qjig
