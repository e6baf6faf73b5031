#include "ReadThread_KB90.h"

namespace qjig {

ReadThread_KB90::ReadThread_KB90(Kb90Job job, std::unique_ptr<OperationPort> window)
    : job_(std::move(job)), window_(std::move(window)) {
  connect(this, &QThread::finished, this, &QObject::deleteLater);
  start();
}

void ReadThread_KB90::run() { RunKb90Operation(job_, *window_); }

}  // namespace qjig
