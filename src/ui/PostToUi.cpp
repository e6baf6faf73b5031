#include "PostToUi.h"

namespace qjig::ui {

void PostToUi(QObject* window, std::function<void()> call) {
  QMetaObject::invokeMethod(window, std::move(call), Qt::QueuedConnection);
}

}  // namespace qjig::ui
