#include "ReadThread_keyboard.h"

#include "ui/PostToUi.h"

namespace qjig {

using ui::PostToUi;

ReadThread_keyboard::ReadThread_keyboard(KeyboardScanJob job, QObject& window, KeyboardWindowCalls calls)
    : job_(job), window_(window), calls_(std::move(calls)) {
  connect(this, &QThread::finished, this, &QObject::deleteLater);
  start();
}

void ReadThread_keyboard::run() { RunKeyboardScan(job_, *this); }

void ReadThread_keyboard::Paint(std::vector<IndicatorChange> changes) {
  PostToUi(&window_, [paint = calls_.paint, changes = std::move(changes)] { paint(changes); });
}

void ReadThread_keyboard::Watchdog(bool running) {
  PostToUi(&window_, [watchdog = calls_.watchdog, running] { watchdog(running); });
}

void ReadThread_keyboard::Ended(bool linkFailed) {
  PostToUi(&window_, [ended = calls_.ended, linkFailed] { ended(linkFailed); });
}

bool ReadThread_keyboard::Closing() const { return isInterruptionRequested(); }

}  // namespace qjig
