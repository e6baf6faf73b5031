#include "CheckProgrammer.h"

#include <algorithm>
#include <array>

#include "TextHelpers.h"

namespace qjig {

namespace {

constexpr std::string_view kNotFoundLine = "The programmer is not found or does not respond";
constexpr std::string_view kVersionPrefix = "Version FW -> ";

const std::array<CheckRow, 7>& Rows() {
  static const std::array<CheckRow, 7> rows{{
      {CheckWindow::Edid, true, {kVersionPrefix}, {"ENE_EDID_KB"}, true, 300,
       "-->  The programmer is not found or does not respond", false},
      {CheckWindow::Kb90, true, {kVersionPrefix}, {"ENE_EDID_KB"}, true, 300, kNotFoundLine, false},
      {CheckWindow::Keyboard, false, {}, {"ENE_EDID_KB"}, false, 300, "", true},
      {CheckWindow::Mec, false, {kVersionPrefix}, {}, false, 300, kNotFoundLine, false},
      {CheckWindow::Ite, true, {"Версия FW программатора -> ", "Programmer FW version -> "},
       {"ITE", "EPM240"}, true, 300, kNotFoundLine, false},
      {CheckWindow::NpceSpi, true, {kVersionPrefix}, {"NPCE"}, true, 500, kNotFoundLine, false},
      {CheckWindow::NpceJtag, false, {}, {"EPM240", "NPCE"}, false, 300, kNotFoundLine, false},
  }};
  return rows;
}

bool TagPasses(const CheckRow& row, const std::string& tag) {
  return row.acceptedTags.empty() ||
         std::any_of(row.acceptedTags.begin(), row.acceptedTags.end(),
                     [&tag](std::string_view wanted) { return tag.find(wanted) != std::string::npos; });
}

void Configure(JigLink& link, const CheckRow& row) {
  if (row.latencyBeforeTimeouts) link.SetLatency();
  link.Configure(row.timeoutMs);
}

}  // namespace

const CheckRow& CheckRowFor(CheckWindow window) {
  for (const CheckRow& row : Rows())
    if (row.window == window) return row;
  return Rows().front();
}

CheckResult CheckProgrammer(JigLink& link, const CheckRow& row, std::span<const LineSink> boxes,
                            std::string& windowTag) {
  const auto say = [&boxes](const std::string& line) {
    for (const LineSink& box : boxes) box(line);
  };
  link.Close();
  if (link.ListDevices() != FtStatus::Ok) {
    say("I can not get a list of VCOM ports");
    return CheckResult::NotFound;
  }
  if (link.DeviceCount() == 0) {
    say("VCOM port is not found on the machine!");
    return CheckResult::NotFound;
  }
  if (row.countLine) say("Number of VCOM ports found on the machine: " + DecimalText(link.DeviceCount()));

  for (auto n = link.DeviceCount(); n >= 1; --n) {
    if (link.Open(static_cast<int>(n - 1)) != FtStatus::Ok) continue;
    Configure(link, row);
    const std::uint32_t length = link.QueryVersion();
    if (length == 0) {
      link.Close();
      continue;
    }
    windowTag = PrintableText(link.Buffer().data(), length);
    for (std::size_t i = 0; i < boxes.size() && i < row.versionPrefixes.size(); ++i)
      boxes[i](std::string(row.versionPrefixes[i]) + windowTag);
    if (!TagPasses(row, windowTag)) {
      say("It is necessary to update the firmware programmer!");
      link.Close();
      return CheckResult::WrongFirmware;
    }
    if (row.successLine) say("Communication with programmer installed.");
    link.SetLatency();
    return CheckResult::Ready;
  }
  if (!row.notFoundLine.empty()) say(std::string(row.notFoundLine));
  return CheckResult::NotFound;
}

}  // namespace qjig
