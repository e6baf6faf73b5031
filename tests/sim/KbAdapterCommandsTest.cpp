// The ENE_EDID_KB firmware's 'V' adapter commands with and without a BRIMEX
// board on the bench, and its one-byte acknowledgements.
#include <gtest/gtest.h>

#include "KbHost.h"

namespace {

using namespace simtest;
using sim::AdapterPins;

// The bench's targets: the chip, behind a board at `board` unless empty.
std::vector<std::string_view> ChipBehind(std::string_view board) {
  if (board.empty()) return {"kb9012"};
  return {"kb9012", board};
}

TEST(KbAdapterCommands, TheChipAnswersOnlyThroughTheRightRouting) {
  struct Case { std::string_view board; std::string_view sent; bool reachable; };
  const Case cases[] = {
      {"", "", true},
      {"", "V1", false},
      {"", "V1V0", true},
      {"", "V5V6", true},
      {"brimex position=1-2", "", false},
      {"brimex position=1-2", "V1", false},
      {"brimex position=1-2", "V5", false},
      {"brimex position=1-2", "V5V1", true},
      {"brimex position=1-2", "V1V5", true},
      {"brimex position=1-2", "V6V1", false},
      {"brimex position=1-2", "V6V1V5", true},
      {"brimex position=1-2", "V5V1V0", false},
      {"brimex position=31-32", "V6V1", true},
      {"brimex position=31-32", "V5V1", false},
      {"brimex position=both", "V5V1", false},
      {"brimex position=both", "V6V1", false},
      {"brimex position=none", "V5V1", false},
      {"brimex position=31-32 sense=0,0,0", "V6V1", true},
  };
  for (const Case& c : cases) {
    KbHost kb(ChipBehind(c.board));
    kb.Ask(c.sent);
    EXPECT_EQ(kb.Connect() != kKbNoChip, c.reachable) << c.board << " after " << c.sent;
    EXPECT_EQ(kb.Read('R').status != kKbStatusLost, c.reachable) << c.board << " after " << c.sent;
  }
}

TEST(KbAdapterCommands, TheBoardSeesWhatTheJigDrives) {
  KbHost kb({"brimex position=31-32"});
  struct Step { std::string_view sent; sim::AdapterLines lines; };
  const Step steps[] = {
      {"", {false, AdapterPins::None}},
      {"V6", {false, AdapterPins::Pins31To32}},
      {"V1", {true, AdapterPins::Pins31To32}},
      {"V5", {true, AdapterPins::Pins1To2}},
      {"V0", {false, AdapterPins::Pins1To2}},
  };
  for (const Step& step : steps) {
    kb.Ask(step.sent);
    EXPECT_EQ(kb.BoardLines(), step.lines) << step.sent;
  }
}

TEST(KbAdapterCommands, TheProbeReadsTheSenseLines) {
  struct Case { std::vector<std::string_view> targets; std::string sense; };
  const Case cases[] = {
      {{}, "\xF3\x7F\x0B"},
      {{"brimex position=none"}, "\xF3\x7F\x0B"},
      {{"brimex position=1-2"}, "\xB3\x7F\x0B"},
      {{"brimex position=31-32"}, "\xF3\x7D\x0B"},
      {{"brimex position=both"}, "\xB3\x7D\x0B"},
      {{"brimex position=1-2 sense=0x40,2,255"}, "\x40\x02\xFF"},
  };
  for (const Case& c : cases) {
    KbHost kb(c.targets);
    EXPECT_EQ(kb.Ask("V9"), c.sense) << (c.targets.empty() ? "no board" : c.targets[0]);
  }
}

TEST(KbAdapterCommands, AcknowledgementsAndTheBuzzer) {
  struct Case { std::string_view sent; std::size_t replyBytes; int buzzes; };
  const Case cases[] = {
      {"I", 1, 1},
      {"O", 1, 1},
      {"IOI", 3, 3},
      {"W", 1, 0},
      {"X", 0, 0},
      {"V1V0V5V6", 4, 0},
      {"Vz", 1, 0},
      // An argument, not the version query.
      {"V\x42", 1, 0},
  };
  for (const Case& c : cases) {
    KbHost kb({"kb9012"});
    EXPECT_EQ(kb.Ask(c.sent).size(), c.replyBytes) << c.sent;
    EXPECT_EQ(kb.Jig().BuzzerCount(), c.buzzes) << c.sent;
  }
}

}  // namespace
