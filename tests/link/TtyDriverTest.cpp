#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/utsname.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "VirtualBench.h"
#include "link/backends/TtyDriver.h"
#include "support/PtyBench.h"

namespace {

using namespace std::chrono_literals;
using qjig::FtHandle;
using qjig::FtStatus;
using qjig::TtyDriver;
using Clock = std::chrono::steady_clock;

constexpr std::uint8_t kVersionQuery = 0x42;
// Proves only that nothing hangs; no test measures how fast anything is.
constexpr auto kNoHang = 3s;

sim::VirtualBench Bench(const std::string& text) {
  sim::BenchBuild built = sim::LoadBenchText(text);
  if (built.error) ADD_FAILURE() << sim::FormatBenchError(*built.error);
  return built.bench;
}

// One virtual bench served on pseudo-terminals, with a tty driver on them.
struct PtyRig {
  explicit PtyRig(const std::string& benchText) : bench(Bench(benchText)), ptys(bench) {}

  // Opens jig `index` and sets it up as the program does.
  FtHandle Open(int index, std::uint32_t readMs = 1000) {
    FtHandle handle = qjig::kNoHandle;
    EXPECT_EQ(driver->Open(index, handle), FtStatus::Ok);
    EXPECT_EQ(driver->ResetDevice(handle), FtStatus::Ok);
    EXPECT_EQ(driver->SetBaudRate(handle, 921600), FtStatus::Ok);
    EXPECT_EQ(driver->SetDataCharacteristics(handle, 8, 0, 0), FtStatus::Ok);
    EXPECT_EQ(driver->SetTimeouts(handle, readMs, 1000), FtStatus::Ok);
    EXPECT_EQ(driver->SetLatencyTimer(handle, 2), FtStatus::Ok);
    return handle;
  }

  void Send(FtHandle handle, std::vector<std::uint8_t> bytes) {
    std::uint32_t written = 0;
    ASSERT_EQ(driver->Write(handle, bytes.data(), static_cast<std::uint32_t>(bytes.size()), written),
              FtStatus::Ok);
    ASSERT_EQ(written, bytes.size());
  }

  std::string Receive(FtHandle handle, std::uint32_t count) {
    std::string bytes(count, '\0');
    std::uint32_t received = 0;
    EXPECT_EQ(driver->Read(handle, reinterpret_cast<std::uint8_t*>(bytes.data()), count, received),
              FtStatus::Ok);
    bytes.resize(received);
    return bytes;
  }

  std::string QueryVersion(FtHandle handle, std::size_t tagLength) {
    Send(handle, {kVersionQuery});
    return Receive(handle, static_cast<std::uint32_t>(tagLength));
  }

  sim::VirtualBench bench;
  testsupport::PtyBench ptys;
  std::unique_ptr<TtyDriver> driver = TtyDriver::ForPorts(ptys.Ports());
};

constexpr const char* kOneJig = "[jig]\nfirmware = NPCE\n";

TEST(TtyDriver, OpensConfiguresAndQueriesTheVersion) {
  PtyRig rig(kOneJig);
  std::uint32_t count = 0;
  ASSERT_EQ(rig.driver->CreateDeviceInfoList(count), FtStatus::Ok);
  ASSERT_EQ(count, 1u);
  const FtHandle handle = rig.Open(0);
  const std::string tag = rig.bench.jigs[0]->FirmwareTag();
  EXPECT_EQ(rig.QueryVersion(handle, tag.size()), tag);

  std::uint32_t rx = 1, tx = 1, events = 1;
  EXPECT_EQ(rig.driver->GetStatus(handle, rx, tx, events), FtStatus::Ok);
  EXPECT_EQ(rx, 0u);
  EXPECT_EQ(events, 0u);
  EXPECT_EQ(rig.driver->WaitTxEmpty(handle, 1s, tx), FtStatus::Ok);
  EXPECT_EQ(tx, 0u);

  utsname name{};
  ASSERT_EQ(uname(&name), 0);
  unsigned major = 0, minor = 0, patch = 0;
  std::sscanf(name.release, "%u.%u.%u", &major, &minor, &patch);
  std::uint32_t version = 0;
  EXPECT_EQ(rig.driver->GetDriverVersion(handle, version), FtStatus::Ok);
  EXPECT_EQ(version, (major << 16) | (minor << 8) | patch);
  EXPECT_EQ(rig.driver->Close(handle), FtStatus::Ok);
}

struct LineCase {
  std::uint32_t baud;
  std::uint8_t stopBits;
  speed_t code;
  bool jigUnderstands;  // the application firmware listens at 921600 8N1
};

// The termios settings reach the tty and, through the pty, the jig: at any
// other rate or format the version query and its reply arrive garbled.
TEST(TtyDriver, LineSettingsReachTheTtyAndTheJig) {
  const LineCase cases[] = {
      {921600, 0, B921600, true},
      {115200, 0, B115200, false},
      {921600, 2, B921600, false},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.baud << " baud, stop bits code " << int(c.stopBits));
    PtyRig rig(kOneJig);
    // Opened before the driver's exclusive open, to read the settings back.
    const int observer = open(rig.ptys.Ports()[0].c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(observer, 0);
    FtHandle handle = rig.Open(0, 300);
    ASSERT_EQ(rig.driver->SetBaudRate(handle, c.baud), FtStatus::Ok);
    ASSERT_EQ(rig.driver->SetDataCharacteristics(handle, 8, c.stopBits, 0), FtStatus::Ok);
    termios t{};
    ASSERT_EQ(tcgetattr(observer, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), c.code);
    EXPECT_EQ(cfgetispeed(&t), c.code);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.stopBits == 2);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);

    const std::string tag = rig.bench.jigs[0]->FirmwareTag();
    EXPECT_EQ(rig.QueryVersion(handle, tag.size()) == tag, c.jigUnderstands);
    close(observer);
  }
}

struct StatusCase {
  const char* label;
  std::function<FtStatus(TtyDriver&, FtHandle)> call;
  FtStatus expected;
};

TEST(TtyDriver, RefusesWhatItCannotDo) {
  std::uint32_t n = 0;
  std::uint8_t byte = 0;
  const StatusCase cases[] = {
      {"index past the list", [](TtyDriver& d, FtHandle) { FtHandle h; return d.Open(1, h); },
       FtStatus::DeviceNotFound},
      {"negative index", [](TtyDriver& d, FtHandle) { FtHandle h; return d.Open(-1, h); },
       FtStatus::DeviceNotFound},
      {"odd baud rate", [](TtyDriver& d, FtHandle h) { return d.SetBaudRate(h, 12345); },
       FtStatus::InvalidBaudRate},
      {"six data bits", [](TtyDriver& d, FtHandle h) { return d.SetDataCharacteristics(h, 6, 0, 0); },
       FtStatus::InvalidParameter},
      {"1.5 stop bits", [](TtyDriver& d, FtHandle h) { return d.SetDataCharacteristics(h, 8, 1, 0); },
       FtStatus::InvalidParameter},
      {"mark parity", [](TtyDriver& d, FtHandle h) { return d.SetDataCharacteristics(h, 8, 0, 3); },
       FtStatus::InvalidParameter},
      {"handle never given", [&](TtyDriver& d, FtHandle h) { return d.Read(h + 100, &byte, 1, n); },
       FtStatus::InvalidHandle},
      {"no handle", [&](TtyDriver& d, FtHandle) { return d.Write(qjig::kNoHandle, &byte, 1, n); },
       FtStatus::InvalidHandle},
      {"closed handle",
       [&](TtyDriver& d, FtHandle h) {
         d.Close(h);
         return d.GetStatus(h, n, n, n);
       },
       FtStatus::InvalidHandle},
  };
  for (const StatusCase& c : cases) {
    SCOPED_TRACE(c.label);
    PtyRig rig(kOneJig);
    const FtHandle handle = rig.Open(0);
    EXPECT_EQ(c.call(*rig.driver, handle), c.expected);
  }
}

TEST(TtyDriver, OpenFailsWhenTheDeviceCannotBeOpened) {
  {
    SCOPED_TRACE("no such path");
    const auto driver = TtyDriver::ForPorts({"/dev/no-such-tty"});
    FtHandle handle = 7;
    EXPECT_EQ(driver->Open(0, handle), FtStatus::DeviceNotOpened);
    EXPECT_EQ(handle, qjig::kNoHandle);
  }
  {
    SCOPED_TRACE("another program holds the jig");
    PtyRig rig("[jig]\nfirmware = NPCE\nfault = open-fails\n");
    FtHandle handle = 7;
    EXPECT_EQ(rig.driver->Open(0, handle), FtStatus::DeviceNotOpened);
  }
  {
    SCOPED_TRACE("not a tty");
    const auto driver = TtyDriver::ForPorts({"/dev/null"});
    FtHandle handle = 7;
    EXPECT_EQ(driver->Open(0, handle), FtStatus::DeviceNotOpened);
  }
}

// Read waits out its time-out when nothing comes; 0 means "what is there now".
TEST(TtyDriver, SilentJigReadsNothingWithinTheTimeout) {
  for (const std::uint32_t readMs : {0u, 200u}) {
    SCOPED_TRACE(testing::Message() << "read time-out " << readMs << " ms");
    PtyRig rig("[jig]\nfirmware = NPCE\nfault = silent\n");
    const FtHandle handle = rig.Open(0, readMs);
    const auto start = Clock::now();
    EXPECT_EQ(rig.QueryVersion(handle, 16), "");
    EXPECT_LT(Clock::now() - start, kNoHang);
  }
}

// The kernel counts at most 4095 waiting bytes; the driver counts them all.
// The replies also overflow the pty's buffers, so the server must wait for
// room and carry on.
TEST(TtyDriver, CountsEveryWaitingByte) {
  PtyRig rig(kOneJig);
  const FtHandle handle = rig.Open(0);
  const std::string tag = rig.bench.jigs[0]->FirmwareTag();
  constexpr std::uint32_t kQueries = 2000;
  const std::uint32_t total = kQueries * static_cast<std::uint32_t>(tag.size());
  rig.Send(handle, std::vector<std::uint8_t>(kQueries, kVersionQuery));

  std::uint32_t rx = 0, tx = 0, events = 0;
  ASSERT_EQ(rig.driver->WaitRxQueue(handle, total, kNoHang, rx), FtStatus::Ok);
  EXPECT_EQ(rx, total);
  ASSERT_EQ(rig.driver->GetStatus(handle, rx, tx, events), FtStatus::Ok);
  EXPECT_EQ(rx, total);

  std::string expected;
  for (std::uint32_t i = 0; i < kQueries; ++i) expected += tag;
  EXPECT_EQ(rig.Receive(handle, total), expected);
}

TEST(TtyDriver, PurgeEmptiesWhatTheMaskNames) {
  struct Case {
    std::uint32_t mask;
    bool rxEmptied;
  };
  for (const Case c : {Case{qjig::kPurgeRx, true}, Case{qjig::kPurgeRx | qjig::kPurgeTx, true},
                       Case{qjig::kPurgeTx, false}}) {
    SCOPED_TRACE(testing::Message() << "mask " << c.mask);
    PtyRig rig(kOneJig);
    const FtHandle handle = rig.Open(0);
    const std::uint32_t tagLength = static_cast<std::uint32_t>(rig.bench.jigs[0]->FirmwareTag().size());
    rig.Send(handle, std::vector<std::uint8_t>(300, kVersionQuery));
    std::uint32_t rx = 0, tx = 0, events = 0;
    ASSERT_EQ(rig.driver->WaitRxQueue(handle, 300 * tagLength, kNoHang, rx), FtStatus::Ok);
    ASSERT_EQ(rx, 300 * tagLength);
    ASSERT_EQ(rig.driver->Purge(handle, c.mask), FtStatus::Ok);
    ASSERT_EQ(rig.driver->GetStatus(handle, rx, tx, events), FtStatus::Ok);
    EXPECT_EQ(rx, c.rxEmptied ? 0u : 300 * tagLength);
  }
}

TEST(TtyDriver, UnplugDuringAReadFailsItPromptly) {
  PtyRig rig(kOneJig);
  const FtHandle handle = rig.Open(0, 20000);
  std::thread puller([&] {
    std::this_thread::sleep_for(100ms);  // most likely the Read is waiting by now; either way works
    rig.ptys.Server(0).Unplug();
  });
  std::uint8_t bytes[16];
  std::uint32_t received = 0;
  const auto start = Clock::now();
  EXPECT_EQ(rig.driver->Read(handle, bytes, sizeof bytes, received), FtStatus::IoError);
  EXPECT_LT(Clock::now() - start, kNoHang);
  puller.join();
}

// Once the cable is out, every call that touches the tty says so at once,
// whether the bench pulled it or the jig's unplug fault did.
TEST(TtyDriver, VanishedDeviceFailsEveryCall) {
  std::uint8_t byte = kVersionQuery;
  std::uint32_t n = 0;
  const StatusCase calls[] = {
      {"Read", [&](TtyDriver& d, FtHandle h) { return d.Read(h, &byte, 1, n); }, FtStatus::IoError},
      {"Write", [&](TtyDriver& d, FtHandle h) { return d.Write(h, &byte, 1, n); }, FtStatus::IoError},
      {"GetStatus", [&](TtyDriver& d, FtHandle h) { return d.GetStatus(h, n, n, n); }, FtStatus::IoError},
      {"WaitRxQueue", [&](TtyDriver& d, FtHandle h) { return d.WaitRxQueue(h, 1, 20s, n); },
       FtStatus::IoError},
      {"WaitTxEmpty", [&](TtyDriver& d, FtHandle h) { return d.WaitTxEmpty(h, 20s, n); },
       FtStatus::IoError},
      {"Close", [&](TtyDriver& d, FtHandle h) { return d.Close(h); }, FtStatus::Ok},
  };
  for (const StatusCase& c : calls) {
    SCOPED_TRACE(c.label);
    {
      SCOPED_TRACE("bench pulls the cable");
      PtyRig rig(kOneJig);
      const FtHandle handle = rig.Open(0, 20000);
      rig.ptys.Server(0).Unplug();
      const auto start = Clock::now();
      EXPECT_EQ(c.call(*rig.driver, handle), c.expected);
      EXPECT_LT(Clock::now() - start, kNoHang);
    }
    {
      SCOPED_TRACE("unplug fault after two bytes");
      PtyRig rig("[jig]\nfirmware = NPCE\nfault = unplug-after 2\n");
      const FtHandle handle = rig.Open(0, 20000);
      rig.Send(handle, {kVersionQuery, kVersionQuery, kVersionQuery});
      std::uint32_t rx = 0;
      // The hang-up reaches the client a moment after the third byte.
      EXPECT_EQ(rig.driver->WaitRxQueue(handle, 1000, 20s, rx), FtStatus::IoError);
      const auto start = Clock::now();
      EXPECT_EQ(c.call(*rig.driver, handle), c.expected);
      EXPECT_LT(Clock::now() - start, kNoHang);
    }
  }
}

// A client closing its tty leaves the jig served: the next open talks again.
TEST(TtyDriver, ReopenAfterCloseTalksAgain) {
  PtyRig rig(kOneJig);
  const std::string tag = rig.bench.jigs[0]->FirmwareTag();
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    const FtHandle handle = rig.Open(0);
    EXPECT_EQ(rig.QueryVersion(handle, tag.size()), tag);
    EXPECT_EQ(rig.driver->Close(handle), FtStatus::Ok);
  }
}

TEST(TtyDriver, TwoHandlesWorkAtOnce) {
  PtyRig rig("[jig]\nfirmware = NPCE\ntag = FIRST-JIG\n[jig]\nfirmware = NPCE\ntag = SECOND\n");
  ASSERT_EQ(rig.ptys.Ports().size(), 2u);
  const FtHandle handles[] = {rig.Open(0), rig.Open(1)};
  EXPECT_NE(handles[0], handles[1]);
  std::vector<std::string> replies(2);
  std::vector<std::thread> users;
  for (std::size_t i = 0; i < 2; ++i)
    users.emplace_back([&, i] {
      const std::string tag = rig.bench.jigs[i]->FirmwareTag();
      for (int round = 0; round < 50; ++round) replies[i] += rig.QueryVersion(handles[i], tag.size());
    });
  for (std::thread& user : users) user.join();
  for (std::size_t i = 0; i < 2; ++i) {
    std::string expected;
    for (int round = 0; round < 50; ++round) expected += rig.bench.jigs[i]->FirmwareTag();
    EXPECT_EQ(replies[i], expected);
  }
}

}  // namespace
