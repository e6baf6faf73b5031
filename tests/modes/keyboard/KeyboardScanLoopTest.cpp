// The scan's body against a jig that answers with whatever the test wants,
// including what no keyboard can produce: reports longer than the buffers,
// and silence with no watchdog to notice it.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <thread>

#include "modes/keyboard/KeyboardScan.h"

namespace {

using namespace qjig;
using namespace std::chrono_literals;

// One device that answers each 'U' with the next scripted reply (nothing
// once they are used up) and 'I' with 'I'; it records every byte it is sent.
class ScriptedJig final : public FtdiDriver {
 public:
  explicit ScriptedJig(std::vector<std::string> replies) : replies_(replies.begin(), replies.end()) {}
  std::string sent;

  FtStatus CreateDeviceInfoList(std::uint32_t& count) override { return count = 1, FtStatus::Ok; }
  FtStatus Open(int, FtHandle& handle) override { return handle = 1, FtStatus::Ok; }
  FtStatus ResetDevice(FtHandle) override { return FtStatus::Ok; }
  FtStatus SetBaudRate(FtHandle, std::uint32_t) override { return FtStatus::Ok; }
  FtStatus SetDataCharacteristics(FtHandle, std::uint8_t, std::uint8_t, std::uint8_t) override { return FtStatus::Ok; }
  FtStatus SetTimeouts(FtHandle, std::uint32_t, std::uint32_t) override { return FtStatus::Ok; }
  FtStatus SetLatencyTimer(FtHandle, std::uint8_t) override { return FtStatus::Ok; }
  FtStatus Write(FtHandle, const std::uint8_t* data, std::uint32_t count, std::uint32_t& written) override {
    for (written = 0; written < count; ++written) {
      const char byte = static_cast<char>(data[written]);
      sent += byte;
      if (byte == 'I') rx_ += 'I';
      if (byte == 'U' && !replies_.empty()) {
        rx_ += replies_.front();
        replies_.pop_front();
      }
    }
    return FtStatus::Ok;
  }
  FtStatus Read(FtHandle, std::uint8_t* data, std::uint32_t count, std::uint32_t& received) override {
    received = static_cast<std::uint32_t>(std::min<std::size_t>(count, rx_.size()));
    std::copy_n(rx_.begin(), received, data);
    rx_.erase(0, received);
    return FtStatus::Ok;
  }
  FtStatus GetStatus(FtHandle, std::uint32_t& rxQueue, std::uint32_t& txQueue, std::uint32_t&) override {
    rxQueue = static_cast<std::uint32_t>(rx_.size());
    txQueue = 0;
    return FtStatus::Ok;
  }
  FtStatus Purge(FtHandle, std::uint32_t) override { return FtStatus::Ok; }
  FtStatus GetDriverVersion(FtHandle, std::uint32_t&) override { return FtStatus::Ok; }
  FtStatus Close(FtHandle) override { return FtStatus::Ok; }
  // Nothing arrives while the scan waits: every reply is queued by its command.
  FtStatus WaitRxQueue(FtHandle, std::uint32_t minCount, std::chrono::milliseconds timeout,
                       std::uint32_t& rxQueue) override {
    if (rx_.size() < minCount) std::this_thread::sleep_for(timeout);
    rxQueue = static_cast<std::uint32_t>(rx_.size());
    return FtStatus::Ok;
  }
  FtStatus WaitTxEmpty(FtHandle, std::chrono::milliseconds, std::uint32_t& txQueue) override {
    return txQueue = 0, FtStatus::Ok;
  }

 private:
  std::deque<std::string> replies_;
  std::string rx_;
};

// A window whose watchdog never ticks; it asks the scan to stop after
// `reportsBeforeStop` reports that changed something.
class QuietWindow final : public KeyboardScanPort {
 public:
  QuietWindow(KeyboardRequests& requests, int reportsBeforeStop)
      : requests_(requests), left_(reportsBeforeStop) {}
  std::vector<IndicatorChange> painted;
  std::optional<bool> endedWithFailure;

  void Paint(std::vector<IndicatorChange> changes) override {
    painted.insert(painted.end(), changes.begin(), changes.end());
    if (--left_ == 0) requests_.stop = true;
  }
  void Watchdog(bool) override {}
  void Ended(bool linkFailed) override { endedWithFailure = linkFailed; }
  bool Closing() const override { return false; }

 private:
  KeyboardRequests& requests_;
  int left_;
};

struct ScanOutcome {
  std::string sent;
  std::vector<IndicatorChange> painted;
  std::optional<bool> failed;
  bool linkOpen = true;
};

ScanOutcome Scan(std::vector<std::string> replies) {
  ScanOutcome outcome;
  ScriptedJig jig(std::move(replies));
  JigLink link(jig, kKeyboardBufferSize);
  link.Open(0);
  KeyboardRequests requests;
  IndicatorBoard board;
  QuietWindow window(requests, 1);
  KeyboardScanJob job{link, requests, board};
  RunKeyboardScan(job, window);
  return {jig.sent, window.painted, window.endedWithFailure, link.IsOpen()};
}

TEST(KeyboardScanLoop, ReportsLongerThanTheBuffersEndTheScanAsALostLink) {
  const std::string endless(1500, '\x05');
  struct Case { const char* name; std::string reply; };
  const Case cases[] = {
      {"no end", endless},
      {"an end too late", endless + "&"},
      {"contacts, then an end too late", "\x05\x07>" + endless + "&"},
  };
  for (const Case& c : cases) {
    const ScanOutcome outcome = Scan({c.reply});
    EXPECT_EQ(outcome.sent, "U") << c.name;
    EXPECT_TRUE(outcome.painted.empty()) << c.name;
    EXPECT_EQ(outcome.failed, true) << c.name;
    EXPECT_FALSE(outcome.linkOpen) << c.name;
  }
}

TEST(KeyboardScanLoop, AReportPaintsThenSignalsThenTheStopEndsTheScan) {
  const ScanOutcome outcome = Scan({"&", "&", "\x05\x07\x09>\x02\x03&"});
  EXPECT_EQ(outcome.sent, "UUUI");
  ASSERT_EQ(outcome.painted.size(), 3u);
  EXPECT_EQ(outcome.painted[2].index, 35);
  EXPECT_EQ(outcome.failed, false);
  EXPECT_FALSE(outcome.linkOpen);
}

TEST(KeyboardScanLoop, ASilentJigEndsTheScanWithoutAWatchdog) {
  const ScopedWaitBounds bounds({.reply = 100ms, .queue = 100ms, .txDrain = 100ms});
  const ScanOutcome outcome = Scan({"&", "\x02"});
  EXPECT_EQ(outcome.sent, "UU");
  EXPECT_EQ(outcome.failed, true);
}

}  // namespace
