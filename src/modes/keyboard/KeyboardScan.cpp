#include "KeyboardScan.h"

#include <algorithm>
#include <thread>

#include "modes/shared/OperationFinish.h"

namespace qjig {

namespace {

using SteadyClock = std::chrono::steady_clock;

// One scan in the making: the report so far and when its request went out.
class ScanPass {
 public:
  ScanPass(KeyboardScanJob& job, KeyboardScanPort& window) : job_(job), window_(window) {}

  // Asks the jig for a scan and starts the watchdog.
  bool Request() {
    report_.Clear();
    if (job_.link.WriteByte(kKeyboardScan) != FtStatus::Ok) return false;
    Arm();
    return true;
  }

  // Blocks for one slice at most, then takes what the jig sent. False when
  // the link failed or the report outgrew its buffer.
  bool Collect(bool& complete) {
    JigLink& link = job_.link;
    link.WaitRxAtLeast(1, kScanPollSlice);
    if (link.PollStatus() != FtStatus::Ok) return false;
    complete = false;
    if (link.RxQueue() == 0) return true;
    const auto take = static_cast<std::uint32_t>(std::min<std::size_t>(link.RxQueue(), kKeyboardBufferSize));
    if (link.Read(take) != FtStatus::Ok) return false;
    const auto progress = report_.Append({link.Buffer().data(), link.Received()});
    complete = progress == ReportAssembler::Progress::Complete;
    return progress != ReportAssembler::Progress::Overflow;
  }

  // Paints what the report changed; true when it changed anything.
  bool Apply() {
    window_.Watchdog(false);
    std::vector<IndicatorChange> changes = job_.requests.hiding.Apply(DecodeReport(report_.Report()), job_.board);
    if (changes.empty()) return false;
    window_.Paint(std::move(changes));
    return true;
  }

  // The success signal after a report that changed something, or the pause
  // that replaces it with the buzzer off. False when the jig did not answer.
  bool Signal() {
    if (job_.requests.buzzerOff) {
      std::this_thread::sleep_for(kSilentPause);
      return true;
    }
    JigLink& link = job_.link;
    if (link.WriteByte(kSignalSuccess) != FtStatus::Ok) return false;
    Arm();
    bool answered = false;
    while (!answered && Alive()) {
      if (link.WaitRxAtLeast(1, kScanPollSlice)) {
        if (link.Read(1) != FtStatus::Ok) return false;
        answered = link.Received() == 1;
      } else if (link.PollStatus() != FtStatus::Ok) {
        return false;
      }
    }
    window_.Watchdog(false);
    return answered;
  }

  // Neither the watchdog nor our own bound has given up on the jig.
  bool Alive() const {
    return job_.requests.linkStatus != LinkStatus::ERROR && SteadyClock::now() < deadline_ &&
           !window_.Closing();
  }

 private:
  void Arm() {
    window_.Watchdog(true);
    // The watchdog ticks on the UI thread; this bound holds even when it
    // cannot.
    deadline_ = SteadyClock::now() + JigWaitBounds().reply;
  }

  KeyboardScanJob& job_;
  KeyboardScanPort& window_;
  ReportAssembler report_;
  SteadyClock::time_point deadline_{};
};

bool Scan(KeyboardScanJob& job, KeyboardScanPort& window) {
  job.requests.linkStatus = LinkStatus::OK;
  ScanPass pass(job, window);
  if (!pass.Request()) return false;
  for (;;) {
    bool complete = false;
    if (!pass.Collect(complete)) return false;
    if (complete) {
      if (pass.Apply() && !pass.Signal()) return window.Closing();
      if (job.requests.stop || window.Closing()) return true;
      if (!pass.Request()) return false;
    }
    if (!pass.Alive()) return window.Closing();
    if (job.requests.clear.exchange(false)) window.Paint(job.board.Clear());
  }
}

}  // namespace

StatusLabel StatusLabelFor(KeyboardStatus status) {
  switch (status) {
    case KeyboardStatus::Yes: return {"Ready to work", 0x00FF00};
    case KeyboardStatus::No: return {"Press start scan", 0xFF0000};
    case KeyboardStatus::NoFtdi: return {"Device not found", 0xFF0000};
    case KeyboardStatus::OldFw: return {"Please update FW", 0xFF0000};
  }
  return {};
}

void RunKeyboardScan(KeyboardScanJob& job, KeyboardScanPort& window) {
  const bool stopped = Scan(job, window);
  job.link.Close();
  window.Ended(!stopped);
}

}  // namespace qjig
