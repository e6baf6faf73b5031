#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace qjig {

// What a mode window's operation-state text says while it is idle.
inline constexpr std::string_view kStateNone = "NONE";

// A mode window's operation-state text ("NONE", "Reading", ...). The window's
// handlers set it and its worker reads it on every pass, from another
// thread, so every access is guarded.
class OperationState {
 public:
  std::string Text() const {
    std::lock_guard lock(mutex_);
    return text_;
  }
  bool Is(std::string_view text) const {
    std::lock_guard lock(mutex_);
    return text_ == text;
  }
  void Set(std::string_view text) {
    std::lock_guard lock(mutex_);
    text_ = text;
  }

 private:
  mutable std::mutex mutex_;
  std::string text_{kStateNone};
};

}  // namespace qjig
