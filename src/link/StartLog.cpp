#include "StartLog.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <mutex>
#include <sstream>

namespace qjig {

StartLog::StartLog(const std::filesystem::path& path)
    : out_(path, std::ios::binary | std::ios::app) {}

void StartLog::Line(std::string_view text) {
  if (!out_) return;
  out_ << text << "\r\n";
  out_.flush();
}

namespace {

std::string LocalTimeFormatted(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  {
    static std::mutex localtimeGuard;  // std::localtime shares one buffer
    std::lock_guard lock(localtimeGuard);
    local = *std::localtime(&now);
  }
  std::ostringstream text;
  try {
    text.imbue(std::locale(""));
  } catch (const std::runtime_error&) {
    // An unknown LANG leaves the classic format.
  }
  text << std::put_time(&local, format);
  return text.str();
}

}  // namespace

std::string LocalDateTimeText() { return LocalTimeFormatted("%x %X"); }

std::string LocalTimeText() { return LocalTimeFormatted("%X"); }

}  // namespace qjig
