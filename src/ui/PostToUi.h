#pragma once

#include <QObject>
#include <functional>

namespace qjig::ui {

// The one way a worker reaches its window: `call` runs later on the thread
// that owns `window` (the UI thread). Calls posted from one thread run in the
// order they were posted, whichever window they name; calls for a window
// that is gone by then are dropped.
void PostToUi(QObject* window, std::function<void()> call);

}  // namespace qjig::ui
