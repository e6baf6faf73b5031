#include "QueryJigVersion.h"

#include "TextHelpers.h"

namespace qjig {

namespace {

constexpr std::uint32_t kStartTimeoutMs = 300;
constexpr std::string_view kBannerStars = "**************************************";

void LogStep(StartLog& log, FtStatus status, std::string_view call) {
  log.Line(status == FtStatus::Ok ? std::string(call) + " OK" : "Error " + std::string(call));
}

void LogSetup(StartLog& log, JigLink& link) {
  std::uint32_t version = 0;
  if (link.Driver().GetDriverVersion(link.Handle(), version) == FtStatus::Ok)
    log.Line("FT_GetDriverVersion OK    (" + DecimalText(version) + ")");
  else
    log.Line("Error FT_GetDriverVersion");
  const ConfigureStatus status = link.Configure(kStartTimeoutMs);
  LogStep(log, status.reset, "FT_ResetDevice");
  LogStep(log, status.baud, "FT_SetBaudRate");
  LogStep(log, status.format, "FT_SetDataCharacteristics");
  LogStep(log, status.timeouts, "FT_SetTimeouts");
}

}  // namespace

std::string QueryJigVersion(JigLink& link, bool closeAfter, const std::filesystem::path& logPath) {
  StartLog log(logPath);
  log.Line(kBannerStars);
  log.Line(LocalDateTimeText());
  log.Line(kBannerStars);

  std::string tag(kTagNoDevice);
  if (link.ListDevices() != FtStatus::Ok) {
    log.Line("Error FT_CreateDeviceInfoList");
    return tag;
  }
  if (link.DeviceCount() == 0) {
    log.Line("Error numDevs = 0");
    return tag;
  }
  tag = kTagNoAnswer;
  for (auto n = link.DeviceCount(); n >= 1; --n) {
    log.Line("Open  numDevs -> " + DecimalText(n));
    if (link.Open(static_cast<int>(n - 1)) != FtStatus::Ok) {
      log.Line("ERROR FT_Open");
      continue;
    }
    log.Line("FT_Open OK");
    LogSetup(log, link);
    const std::uint32_t length = link.QueryVersion();
    log.Line("Read answer version bytes -> " + DecimalText(length));
    if (length > 0) {
      tag = PrintableText(link.Buffer().data(), length);
      log.Line(tag);
      LogStep(log, link.SetLatency(), "FT_SetLatencyTimer");
      if (closeAfter) link.Close();
      return tag;
    }
    if (closeAfter) link.Close();
  }
  log.Line("NOT ANSWER ");
  return tag;
}

}  // namespace qjig
