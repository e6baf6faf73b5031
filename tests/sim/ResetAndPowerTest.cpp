// The reset button, the technician who presses it, and power: what the
// jig's microcontroller runs after each.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "JigHost.h"

namespace {

using namespace simtest;
using namespace std::chrono_literals;

// Lets time pass on the jig's clock: nothing is due to arrive, so the wait
// runs to its end.
void Idle(sim::VirtualJig& jig, const JigHost& host, std::chrono::milliseconds span) {
  std::uint32_t rx = 0;
  EXPECT_EQ(jig.WaitRx(host.Session(), 1, span, rx), sim::PortResult::Ok);
  EXPECT_EQ(rx, 0u);
}

TEST(ResetPress, ComesAfterTheHostTurnsToTheBootloadersRate) {
  auto jig = BuildJig("[jig]\nfirmware = NPCE\nfault = no-boot-answer\nreset-press = 20\n");
  JigHost host(*jig);
  EXPECT_EQ(host.Ask("?"), "");
  EXPECT_EQ(host.Ask("\x42"), "M88_NPCE288_V2.4");
  Idle(*jig, host, 100ms);
  EXPECT_EQ(jig->RunningFirmware(), "application");  // bytes at its own rate ask nothing of the technician

  host.SetBaud(kM88BootBaud);
  EXPECT_EQ(host.Ask("U"), "");  // the application hears garbage
  Idle(*jig, host, 100ms);       // the bootloader, once running, says nothing unasked
  EXPECT_EQ(jig->RunningFirmware(), "M88 bootloader");
  EXPECT_EQ(host.Ask("U"), kM88Banner);
}

TEST(ResetPress, WakesAHostWaitingForTheM328Bootloader) {
  auto jig = BuildJig("[jig]\nfirmware = M328_EPM240\nreset-press = 30\n");
  JigHost host(*jig);
  EXPECT_EQ(host.Ask("\x42"), "M328_EPM240_v19");

  // One thread sends '+' at the host's pace while the other waits for the
  // sync reply; the M328 application ignores '+', so the first one calls
  // for the technician.
  std::atomic<bool> stop{false};
  std::thread syncer([&] {
    const std::uint8_t sync = '+';
    for (int i = 0; i < 10000 && !stop; ++i) {
      std::uint32_t written = 0;
      jig->Write(host.Session(), &sync, 1, written);
      std::this_thread::sleep_for(2ms);
    }
  });
  const auto bound = 20s;
  const auto start = std::chrono::steady_clock::now();
  std::uint32_t rx = 0;
  EXPECT_EQ(jig->WaitRx(host.Session(), 7, bound, rx), sim::PortResult::Ok);
  const auto waited = std::chrono::steady_clock::now() - start;
  stop = true;
  syncer.join();
  EXPECT_GE(rx, 7u);
  EXPECT_LT(waited, bound);
  EXPECT_EQ(jig->RunningFirmware(), "M328 bootloader");
}

TEST(PowerUp, BootYesHoldsTheJigInItsBootloader) {
  struct Case { const char* firmware; std::uint32_t baud; const char* sync; const char* runs; };
  const Case cases[] = {
      {"NPCE", kM88BootBaud, "U", "M88 bootloader"},
      {"M328_EPM240", sim::kApplicationBaud, "+", "M328 bootloader"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.firmware);
    auto jig = BuildJig(std::string("[jig]\nboot = yes\nfirmware = ") + c.firmware + "\n");
    EXPECT_EQ(jig->RunningFirmware(), c.runs);
    JigHost host(*jig);
    EXPECT_EQ(host.Ask("\x42"), "");
    host.SetBaud(c.baud);
    EXPECT_FALSE(host.Ask(c.sync).empty());
  }
}

TEST(PowerUp, APowerCycleStartsWhatTheFlashHolds) {
  using Steps = std::function<void(sim::VirtualJig&, JigHost&)>;
  const Steps toBootloader = [](sim::VirtualJig&, JigHost& host) { host.Ask("?"); };
  struct Case { const char* name; const char* bench; Steps steps; const char* runs; const char* tag; };
  const Case cases[] = {
      {"from its bootloader", "firmware = NPCE\n", toBootloader, "application", "M88_NPCE288_V2.4"},
      {"after the reset button", "firmware = M328_EPM240\n",
       [](sim::VirtualJig& jig, JigHost&) { jig.PressReset(); }, "application", "M328_EPM240_v19"},
      {"with an erased flash", "firmware = NPCE\n",
       [&](sim::VirtualJig& jig, JigHost& host) {
         toBootloader(jig, host);
         host.SetBaud(kM88BootBaud);
         host.Ask("pf\n");
       },
       "M88 bootloader", ""},
      {"with a new image", "firmware = NPCE\n",
       [&](sim::VirtualJig& jig, JigHost& host) {
         toBootloader(jig, host);
         ProgramM88(host, RecordsOf(ImageWithTag("ENE_EDID_KB_V4.0")));
       },
       "application", "ENE_EDID_KB_V4.0"},
      {"held in its bootloader", "firmware = NPCE\nboot = yes\n",
       [&](sim::VirtualJig&, JigHost& host) {
         host.SetBaud(kM88BootBaud);
         ProgramM88(host, RecordsOf(ImageWithTag("ENE_EDID_KB_V4.0")));
       },
       "M88 bootloader", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto jig = BuildJig(std::string("[jig]\n") + c.bench);
    {
      JigHost host(*jig);
      c.steps(*jig, host);
    }
    jig->Unplug();
    jig->Plug();
    EXPECT_EQ(jig->RunningFirmware(), c.runs);
    EXPECT_EQ(jig->FirmwareTag(), c.tag);
  }
}

TEST(PowerUp, AJigPluggedInLaterStartsItsApplication) {
  auto jig = BuildJig("[jig]\nfirmware = V42\nplugged = no\n");
  jig->Plug();
  JigHost host(*jig);
  EXPECT_EQ(host.Ask("\x42"), "M88_JTAG_MEC_V42");
}

}  // namespace
