#pragma once

#include <chrono>
#include <functional>

namespace testsupport {

// Runs the event loop until `condition` holds or `bound` passed; returns
// whether it holds. The bound is generous: a test that needs it has failed.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds bound = std::chrono::seconds(10));

}  // namespace testsupport
