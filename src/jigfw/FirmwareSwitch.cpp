#include "FirmwareSwitch.h"

#include <vector>

#include "JigImage.h"
#include "ModeFirmware.h"
#include "UpdateVersion3Jig.h"
#include "UploadJigImage.h"
#include "link/QueryJigVersion.h"
#include "link/TextHelpers.h"

namespace qjig {

namespace {

constexpr std::uint8_t kLeaveApplication = '?';
constexpr std::uint8_t kLeaveAcknowledged = '!';
constexpr std::uint8_t kSync = 'U';
constexpr std::uint8_t kRunApplication[] = {'g', '\n'};
constexpr std::uint32_t kRunReply = 5;
constexpr int kLeaveReads = 5;
constexpr int kSyncAttempts = 3;
constexpr int kBannerByteReads = 3;
constexpr std::size_t kBannerMax = 16;
constexpr std::uint32_t kBootTimeoutMs = 300;
// Between two sync bytes the worker waits this long for the bootloader's
// first byte: the bytes still go out back to back on the wire's scale, and
// the thread sleeps in the driver instead of spinning.
constexpr std::chrono::milliseconds kSyncPace{2};

constexpr std::string_view kPushReset = "*** PLEASE PUSH RESET BUTTON ! ***";
constexpr std::string_view kNoBootloader = "You did not press the reset button or error response BOOT_loader";

// Reads one byte at a time, up to `reads` reads under the read time-out.
bool ReadOneByte(JigLink& link, int reads, std::uint8_t& byte) {
  for (int i = 0; i < reads; ++i) {
    if (link.Read(1) != FtStatus::Ok) return false;
    if (link.Received() == 1) {
      byte = link.Buffer()[0];
      return true;
    }
  }
  return false;
}

void AskForBootloader(JigLink& link, UpdateWindowPort& window) {
  window.AddLine("Command go to BOOT ... ");
  std::uint8_t answer = 0;
  const bool answered = link.WriteByte(kLeaveApplication) == FtStatus::Ok &&
                        ReadOneByte(link, kLeaveReads, answer);
  if (!answered || answer != kLeaveAcknowledged)
    window.AddLine("*** FAULT ANSWER. PLEASE push reset button ***");
}

enum class Sync { Banner, TimedOut, Gone };

// Sends 'U' until the first byte of an answer waits, or the user's time for
// pressing the reset button is up.
Sync AwaitFirstByte(JigLink& link, UpdateWindowPort& window) {
  for (;;) {
    if (link.WriteByte(kSync) != FtStatus::Ok) return Sync::Gone;
    link.WaitRxAtLeast(1, kSyncPace);
    if (link.PollStatus() != FtStatus::Ok) return Sync::Gone;
    if (window.BootTimedOut() || window.StopRequested()) return Sync::TimedOut;
    if (link.RxQueue() != 0) return Sync::Banner;
  }
}

// The banner, byte by byte, up to its 0x11 or 16 bytes.
std::vector<std::uint8_t> ReadBanner(JigLink& link) {
  std::vector<std::uint8_t> banner;
  std::uint8_t byte = 0;
  while (banner.size() < kBannerMax && ReadOneByte(link, kBannerByteReads, byte)) {
    banner.push_back(byte);
    if (byte == kBootReplyEnd) break;
  }
  return banner;
}

bool BannerComplete(const std::vector<std::uint8_t>& banner) {
  for (std::size_t i = 0; i < banner.size() && i < kBannerMax - 1; ++i)
    if (banner[i] == kBootReplyEnd) return true;
  return false;
}

// Brings the bootloader to talk: true with its banner, false when the user
// did not press the reset button in time (the link is then closed).
bool SynchroniseWithBootloader(JigLink& link, UpdateWindowPort& window, std::vector<std::uint8_t>& banner) {
  window.SetGaugePosition(0);
  link.SetBaud(kBootloaderBaud);
  link.SetTimeouts(kBootTimeoutMs, kBootTimeoutMs);
  window.StartBootTimeLimit();
  for (int attemptsLeft = kSyncAttempts; attemptsLeft > 0;) {
    link.Purge();
    if (AwaitFirstByte(link, window) != Sync::Banner) break;
    banner = ReadBanner(link);
    if (BannerComplete(banner)) return true;
    if (--attemptsLeft > 0) window.AddLine(std::string(kPushReset));
  }
  window.AddLine(std::string(kNoBootloader));
  link.Close();
  return false;
}

void ReportBanner(const std::vector<std::uint8_t>& banner, UpdateWindowPort& window) {
  std::string hex, text;
  for (const std::uint8_t byte : banner) {
    hex += HexText(byte, 2);
    text += PrintableCharText(byte);
    if (byte == kBootReplyEnd) break;
  }
  window.AddLine(hex);
  window.AddLine("BOOT M88 connected - " + text);
  window.AddLine("Update firmware ... ");
}

// Loads and sends the image; whatever happened, tells the bootloader to run
// the application and closes the link. True when the upload went through.
bool UpdateM88(JigLink& link, const ModeFirmware& firmware, const ImageFolders& images,
               UpdateWindowPort& window) {
  JigImage image;
  const ImageLoad load = LoadJigImage(images.Find(std::string(firmware.imageFile)), image,
                                      [&window](const std::string& line) { window.AddLine(line); });
  bool uploaded = false;
  if (load == ImageLoad::WrongFormat) window.AddLine("Error format .hex file for M88!");
  if (load == ImageLoad::Loaded) {
    uploaded = UploadJigImage(link, image, window);
    window.AddLine(uploaded ? "Exit from BOOT and RUN ... " : "Flashing M88 error!");
  }
  if (link.Write(kRunApplication, sizeof kRunApplication) == FtStatus::Ok && link.WaitRxAtLeast(kRunReply))
    link.Read(link.RxQueue());
  link.Close();
  return uploaded;
}

void SwitchVersion3Jig(JigLink& startLink, const std::string& versionTag, const ImageFolders& images,
                       UpdateWindowPort& window, const std::filesystem::path& startLog) {
  startLink.Close();
  window.ShowUpdateWindow();
  if (UpdateVersion3Jig(startLink.Driver(), versionTag, images, window, startLog)) {
    window.HideUpdateWindow();
    window.SetGaugePosition(0);
    window.RequestModeWindow();
  } else {
    window.EnableExit();
    window.ShowMainWindow();
  }
}

}  // namespace

std::filesystem::path ImageFolders::Find(const std::string& fileName) const {
  for (const auto& folder : folders)
    if (std::filesystem::exists(folder / fileName)) return folder / fileName;
  return folders.empty() ? std::filesystem::path(fileName) : folders.front() / fileName;
}

void RunFirmwareSwitch(JigLink& startLink, const std::string& versionTag, const std::string& mode,
                       const ImageFolders& images, UpdateWindowPort& window,
                       const std::filesystem::path& startLog) {
  if (versionTag.find(kVersion3Tag) != std::string::npos) {
    SwitchVersion3Jig(startLink, versionTag, images, window, startLog);
    return;
  }
  window.ShowUpdateWindow();
  window.AddLine("Current version of FW -> " + versionTag);
  window.AddLine("User select -> " + mode);

  const ModeFirmware* firmware = FindModeFirmware(mode);
  if (!firmware) {
    startLink.Close();
    window.EnableExit();
    return;
  }
  if (versionTag == kTagNoAnswer) {
    window.AddLine(std::string(kPushReset));
  } else if (versionTag.find(firmware->tag) != std::string::npos) {
    window.RequestModeWindow();
    window.HideUpdateWindow();
    startLink.Close();
    return;
  } else {
    AskForBootloader(startLink, window);
  }

  std::vector<std::uint8_t> banner;
  if (!SynchroniseWithBootloader(startLink, window, banner)) {
    window.EnableExit();
    return;
  }
  ReportBanner(banner, window);
  if (UpdateM88(startLink, *firmware, images, window)) {
    window.HideUpdateWindow();
    window.RequestModeWindow();
  } else {
    window.EnableExit();
  }
}

}  // namespace qjig
