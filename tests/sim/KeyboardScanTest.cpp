// The keyboard on the virtual bench: which keys are held when, what the
// ENE_EDID_KB firmware reports for them, in how many pieces, and what a
// bench author is told about a wrong keyboard line.
#include <gtest/gtest.h>

#include "TargetLineError.h"

#include <set>

#include "JigHost.h"
#include "firmwares/KeyboardScan.h"
#include "targets/KeyboardMatrix.h"
#include "targets/KeyboardTargetKind.h"

namespace {

using namespace std::chrono_literals;
using sim::Bytes;
using sim::KeyboardMatrix;

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A matrix whose clock the test moves.
struct ClockedMatrix {
  explicit ClockedMatrix(const std::string& press)
      : matrix(sim::KeyboardSetup{Presses(press), 1}, [this] { return now; }) {}

  static std::vector<sim::KeyPress> Presses(const std::string& press) {
    std::string wrong;
    const auto presses = sim::ParseKeyPresses(press, wrong);
    EXPECT_TRUE(presses) << wrong;
    return presses.value_or(std::vector<sim::KeyPress>{});
  }

  std::string ScanAt(std::chrono::milliseconds since) {
    now = KeyboardMatrix::Clock::time_point{} + 1h + since;
    return Text(sim::KeyboardReport(matrix.ClosedContacts()));
  }

  KeyboardMatrix::Clock::time_point now{};
  KeyboardMatrix matrix;
};

TEST(KeyboardScan, ReportsWhatIsHeldAtEachScan) {
  // Times count from the first scan, which the test makes at 0.
  ClockedMatrix keyboard("5-7@0..300,9-5@100..,3-2@200..250,31-32");
  struct Scan { std::chrono::milliseconds at; std::string report; };
  const Scan scans[] = {
      {0ms, "\x1F\x20>\x05\x07&"},
      {99ms, "\x1F\x20>\x05\x07&"},
      {100ms, "\x1F\x20>\x05\x07\x09&"},
      {200ms, "\x1F\x20>\x05\x07\x09>\x02\x03&"},
      {250ms, "\x1F\x20>\x05\x07\x09&"},
      {300ms, "\x1F\x20>\x05\x09&"},
      {100000ms, "\x1F\x20>\x05\x09&"},
  };
  for (const Scan& scan : scans) EXPECT_EQ(keyboard.ScanAt(scan.at), scan.report) << scan.at.count() << " ms";
}

TEST(KeyboardScan, TheFirstScanStartsTheKeyboardsClock) {
  ClockedMatrix keyboard("1-2@50..60");
  keyboard.now = KeyboardMatrix::Clock::time_point{} + 5h;
  EXPECT_EQ(Text(sim::KeyboardReport(keyboard.matrix.ClosedContacts())), "&");
  keyboard.now += 55ms;
  EXPECT_EQ(Text(sim::KeyboardReport(keyboard.matrix.ClosedContacts())), "\x01\x02&");
}

TEST(KeyboardScan, AnswersUWithTheReportAndIWithTheBuzzer) {
  struct Case { const char* targets; std::string report; };
  const Case cases[] = {
      {"", "&"},
      {"target = keyboard\n", "&"},
      {"target = keyboard press=5-7,5-9,2-3\n", "\x05\x07\x09>\x02\x03&"},
      {"target = keyboard press=5-7,5-9,2-3 pieces=3\n", "\x05\x07\x09>\x02\x03&"},
      {"target = keyboard press=1-32 pieces=16\n", "\x01\x20&"},
  };
  for (const Case& c : cases) {
    const auto jig = simtest::BuildJig(std::string("[jig]\nfirmware = ENE_EDID_KB\n") + c.targets);
    simtest::JigHost host(*jig);
    std::string reply = host.Ask("U");
    std::uint32_t rx = 0;
    jig->WaitRx(host.Session(), static_cast<std::uint32_t>(c.report.size() - reply.size()), 2s, rx);
    reply += host.Ask("");
    EXPECT_EQ(reply, c.report) << c.targets;
    EXPECT_EQ(host.Ask("I"), "I");
    EXPECT_EQ(jig->BuzzerCount(), 1);
  }
}

TEST(KeyboardScan, TheReportLeavesInTheKeyboardsNumberOfPieces) {
  struct Case { const char* target; std::size_t pieces; };
  const Case cases[] = {
      {"keyboard press=5-7,5-9,2-3", 1},
      {"keyboard press=5-7,5-9,2-3 pieces=3", 3},
      {"keyboard press=5-7 pieces=16", 3},  // a piece holds a byte at least
  };
  for (const Case& c : cases) {
    const auto jig = simtest::BuildJig(std::string("[jig]\nfirmware = ENE_EDID_KB\ntarget = ") + c.target + "\n");
    const sim::McuResponse response =
        jig->Inspect([](sim::JigMcu& mcu) { return mcu.Receive('U', sim::LineSettings{}); });
    std::set<std::chrono::microseconds> moments;
    for (const sim::McuReply& reply : response.replies) moments.insert(reply.delay);
    EXPECT_EQ(moments.size(), c.pieces) << c.target;
  }
}

TEST(KeyboardScan, BadLinesNameTheLineAndTheProblem) {
  const std::string kPressRule =
      "keyboard: press must be A-B, A-B@T1.. or A-B@T1..T2 (two lines from 1 to 32, times in ms, T1 before T2), "
      "not ";
  struct Case { const char* target; std::string error; };
  const Case cases[] = {
      {"keyboard keys=1-2", "keyboard: unknown parameter 'keys'"},
      {"keyboard press=1-33", kPressRule + "'1-33'"},
      {"keyboard press=0-2", kPressRule + "'0-2'"},
      {"keyboard press=4-4", kPressRule + "'4-4'"},
      {"keyboard press=1-2,", kPressRule + "''"},
      {"keyboard press=12", kPressRule + "'12'"},
      {"keyboard press=1-2@5", kPressRule + "'1-2@5'"},
      {"keyboard press=1-2@50..50", kPressRule + "'1-2@50..50'"},
      {"keyboard press=1-2@..50", kPressRule + "'1-2@..50'"},
      {"keyboard pieces=0", "keyboard: pieces must be a number from 1 to 16, not '0'"},
      {"keyboard pieces=17", "keyboard: pieces must be a number from 1 to 16, not '17'"},
  };
  for (const Case& c : cases) EXPECT_EQ(simtest::TargetLineError(c.target), c.error) << c.target;
}

}  // namespace
