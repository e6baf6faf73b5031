#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace qjig {

// Relative on purpose: the start log lies in the process's current folder.
inline constexpr std::string_view kStartLogFile = "Start_log.txt";

// One writer's turn on the start log: opens the file for appending (creating
// it when missing), writes CR LF terminated lines, closes it when destroyed.
// A log that cannot be opened or written loses its lines silently: the log
// must never stop the program.
class StartLog {
 public:
  explicit StartLog(const std::filesystem::path& path = kStartLogFile);

  void Line(std::string_view text);

 private:
  std::ofstream out_;
};

// The local date and time in the user's short date and long time formats.
std::string LocalDateTimeText();
// The local time of day in the user's long time format.
std::string LocalTimeText();

}  // namespace qjig
