#include "OperationFinish.h"

#include "link/StartLog.h"

namespace qjig {

bool SendResultSignal(JigLink& link, bool succeeded) {
  return link.SendByteAwaitReply(succeeded ? kSignalSuccess : kSignalFailure);
}

std::string CurrentTimeLine() { return std::string(kCurrentTimePrefix) + LocalTimeText(); }

void FinishOperation(JigLink& link, OperationPort& window, bool succeeded) {
  link.Close();
  window.AddLine(CurrentTimeLine());
  window.Finished(succeeded);
}

}  // namespace qjig
