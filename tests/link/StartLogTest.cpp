#include <gtest/gtest.h>

#include "link/StartLog.h"
#include "support/TempDir.h"

namespace {

using qjig::StartLog;

TEST(StartLog, AppendsCrLfLinesAndKeepsWhatWasThere) {
  testsupport::TempDir dir;
  const auto file = dir / "Start_log.txt";
  testsupport::WriteFile(file, "old\r\n");
  { StartLog log(file); log.Line("User select -> ENE KB90XX"); }
  { StartLog log(file); log.Line("Go to application. End."); }
  EXPECT_EQ(testsupport::ReadFile(file), "old\r\nUser select -> ENE KB90XX\r\nGo to application. End.\r\n");
}

TEST(StartLog, UnwritableLogLosesItsLinesQuietly) {
  testsupport::TempDir dir;
  StartLog log(dir / "no such folder" / "Start_log.txt");
  log.Line("lost");
  EXPECT_FALSE(std::filesystem::exists(dir / "no such folder"));
}

TEST(StartLog, DateTimeHasADateAndATime) {
  const std::string text = qjig::LocalDateTimeText();
  EXPECT_NE(text.find(':'), std::string::npos) << text;
  EXPECT_NE(text.find(' '), std::string::npos) << text;
}

}  // namespace
