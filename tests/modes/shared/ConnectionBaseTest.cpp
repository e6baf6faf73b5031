// Connection bases as the mode windows read them: lines, and key values.
#include <gtest/gtest.h>

#include "modes/shared/ConnectionBase.h"
#include "support/TempDir.h"

namespace {

using qjig::ParseConnectionBase;
using Entries = std::vector<std::string>;

TEST(ConnectionBase, EveryLfEndedLineIsAnEntryWithoutItsCrs) {
  struct Case {
    const char* name;
    std::string bytes;
    Entries entries;
  };
  const Case cases[] = {
      {"empty file", "", {}},
      {"CR LF line ends", "A1 KSO3=5\r\nB2\r\n", {"A1 KSO3=5", "B2"}},
      {"LF line ends", "A1\nB2\n", {"A1", "B2"}},
      {"a CR anywhere is dropped", "A\r1\r\r\n\rB", {"A1"}},
      {"empty lines are entries", "\r\n\nA\n", {"", "", "A"}},
      {"text after the last LF is no entry", "A\nB", {"A"}},
      {"no LF at all", "KSO3=1 KSI4=2", {}},
      {"Windows-1251 bytes stay as they are", "\xCF\xE5\xF2\xF0 KSO3=7\r\n", {"\xCF\xE5\xF2\xF0 KSO3=7"}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseConnectionBase(c.bytes), c.entries) << c.name;
}

TEST(ConnectionBase, AMissingFileIsNoBase) {
  testsupport::TempDir folder;
  EXPECT_FALSE(qjig::ReadConnectionBase(folder / "MB connection ENE.txt"));
  testsupport::WriteFile(folder / "MB connection ENE.txt", "A\r\n");
  EXPECT_EQ(qjig::ReadConnectionBase(folder / "MB connection ENE.txt"), Entries{"A"});
}

TEST(ConnectionBase, AKeysValueIsOneOrTwoCharactersAfterItsFirstOccurrence) {
  struct Case {
    const char* entry;
    std::optional<std::string> text;
    std::optional<int> number;
  };
  const Case cases[] = {
      {"MB KSO3=12 KSI4=5", "12", 12},
      {"MB KSO3=5 KSI4=12", "5", 5},
      {"MB KSI4=5 KSO3=7", "7", 7},             // the end of the entry ends a one-digit value
      {"MB KSO3=4 KSO3=9", "4", 4},             // the first occurrence counts
      {"MB KSO3=4, KSI4=5", "4,", std::nullopt},
      {"MB KSO3=123", "12", 12},                // never more than two characters
      {"MB KSO3=", "", std::nullopt},
      {"MB KSO3= 5", " 5", std::nullopt},
      {"MB KSO3=x1", "x1", std::nullopt},
      {"MB KSI4=5", std::nullopt, std::nullopt},
      {"MB kso3=5", std::nullopt, std::nullopt},  // keys are case-sensitive
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    const auto text = qjig::KeyValueText(c.entry, "KSO3=");
    EXPECT_EQ(text, c.text);
    if (text) {
      EXPECT_EQ(qjig::DecimalValue(*text), c.number);
    }
  }
}

}  // namespace
