// The virtual jig's USB side: it must behave like the hardware, not like the
// program hopes.
#include <gtest/gtest.h>

#include <thread>

#include "VirtualBench.h"

namespace {

using namespace sim;
using namespace std::chrono_literals;

std::shared_ptr<VirtualJig> OneJig(const std::string& extra = "", const std::string& bench = "") {
  BenchBuild built = LoadBenchText(bench + "[jig]\nfirmware = NPCE\ntag = T1\n" + extra);
  EXPECT_FALSE(built.error);
  return built.bench.jigs.at(0);
}

struct Session {
  explicit Session(VirtualJig& j, std::uint32_t baud = kApplicationBaud) : jig(j) {
    EXPECT_EQ(jig.Open(id), PortResult::Ok);
    jig.SetBaud(id, baud);
    jig.SetTimeouts(id, 100, 100);
  }
  ~Session() { jig.Close(id); }

  std::string Ask(std::uint8_t byte) {
    std::uint32_t n = 0;
    jig.Write(id, &byte, 1, n);
    std::uint8_t reply[64];
    std::uint32_t got = 0;
    jig.Read(id, reply, sizeof reply, got);
    return std::string(reply, reply + got);
  }

  VirtualJig& jig;
  std::uint64_t id = 0;
};

TEST(VirtualJig, AnswersOnlyAtItsOwnBaudRate) {
  auto jig = OneJig();
  {
    Session right(*jig);
    EXPECT_EQ(right.Ask(0x42), "T1");
  }
  Session wrong(*jig, 115200);
  EXPECT_EQ(wrong.Ask(0x42), "");  // the MCU sampled garbage
}

TEST(VirtualJig, OneSessionAtATimeAndOldSessionsAreGone) {
  auto jig = OneJig();
  std::uint64_t first = 0, second = 0;
  ASSERT_EQ(jig->Open(first), PortResult::Ok);
  EXPECT_EQ(jig->Open(second), PortResult::Busy);
  jig->Unplug();
  std::uint32_t rx = 0, tx = 0;
  EXPECT_EQ(jig->Queues(first, rx, tx), PortResult::Gone);
  EXPECT_EQ(jig->Open(second), PortResult::Gone);
  jig->Plug();
  ASSERT_EQ(jig->Open(second), PortResult::Ok);
  EXPECT_EQ(jig->Queues(first, rx, tx), PortResult::Gone);
  EXPECT_EQ(jig->Queues(second, rx, tx), PortResult::Ok);
}

TEST(VirtualJig, Faults) {
  {
    auto jig = OneJig("fault = open-fails\n");
    std::uint64_t id = 0;
    EXPECT_EQ(jig->Open(id), PortResult::Busy);
  }
  {
    auto jig = OneJig("fault = silent-after 2\n");
    Session s(*jig);
    EXPECT_EQ(s.Ask(0x42), "T1");
    EXPECT_EQ(s.Ask(0x42), "T1");
    EXPECT_EQ(s.Ask(0x42), "");
  }
  {
    auto jig = OneJig("fault = unplug-after 3\n");
    Session s(*jig);
    const std::uint8_t bytes[] = {1, 2, 3, 4, 5};
    std::uint32_t written = 0;
    EXPECT_EQ(jig->Write(s.id, bytes, 5, written), PortResult::Gone);
    EXPECT_EQ(written, 3u);
    EXPECT_FALSE(jig->IsPlugged());
  }
}

TEST(VirtualJig, PurgeEmptiesTheReceiveQueue) {
  auto jig = OneJig();
  Session s(*jig);
  const std::uint8_t query = 0x42;
  std::uint32_t n = 0, rx = 0, tx = 0;
  jig->Write(s.id, &query, 1, n);
  jig->Queues(s.id, rx, tx);
  EXPECT_EQ(rx, 2u);
  jig->Purge(s.id, true, true);
  jig->Queues(s.id, rx, tx);
  EXPECT_EQ(rx, 0u);
}

TEST(VirtualJig, UnplugWakesABlockedRead) {
  auto jig = OneJig();
  Session s(*jig);
  jig->SetTimeouts(s.id, 30000, 30000);
  std::thread puller([&jig] {
    std::this_thread::sleep_for(50ms);
    jig->Unplug();
  });
  std::uint8_t buffer[4];
  std::uint32_t got = 0;
  EXPECT_EQ(jig->Read(s.id, buffer, 4, got), PortResult::Gone);
  puller.join();
}

TEST(VirtualJig, WireTimeModelKeepsBytesInTheQueuesUntilTheyHaveCrossed) {
  auto jig = OneJig("", "wire-time = on\n");
  Session s(*jig, 9600);  // a second's worth of bytes at 9600 baud
  const std::vector<std::uint8_t> bytes(960, 0x00);
  std::uint32_t written = 0, rx = 0, tx = 0;
  jig->Write(s.id, bytes.data(), 960, written);
  jig->Queues(s.id, rx, tx);
  EXPECT_GT(tx, 0u);
  EXPECT_EQ(jig->WaitTxEmpty(s.id, 5s, tx), PortResult::Ok);
  EXPECT_EQ(tx, 0u);
}

}  // namespace
