#include "RecordingWindow.h"

namespace testsupport {

std::vector<std::string> RecordingWindow::EventsWithoutGauge() const {
  std::vector<std::string> kept;
  for (const std::string& event : Events())
    if (event.rfind("gauge ", 0) != 0) kept.push_back(event);
  return kept;
}

std::vector<std::string> RecordingWindow::Lines() const {
  std::vector<std::string> lines;
  for (const std::string& event : Events())
    if (event.rfind("line: ", 0) == 0) lines.push_back(event.substr(6));
  return lines;
}

int RecordingWindow::Count(const std::string& prefix) const {
  int count = 0;
  for (const std::string& event : Events()) count += event.rfind(prefix, 0) == 0;
  return count;
}

}  // namespace testsupport
