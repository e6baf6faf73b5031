#include "QtWait.h"

#include <QTest>

namespace testsupport {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    QTest::qWait(5);
  }
  return true;
}

}  // namespace testsupport
