#include "UpdateVersion3Jig.h"

#include <fstream>
#include <vector>

#include "link/TextHelpers.h"

namespace qjig {

namespace {

constexpr std::uint8_t kSync = '+';
constexpr std::uint8_t kRequestBlock = 'W';
constexpr std::uint8_t kBlockGranted = 'G';
constexpr std::uint8_t kBlockTaken = '+';
constexpr std::uint8_t kFinish = 'X';
constexpr std::uint32_t kSyncReply = 7;
constexpr std::uint32_t kTimeoutMs = 300;
// How long the user has to press the jig's reset button once asked.
constexpr std::chrono::seconds kResetPressBound{60};
// Pace of the sync bytes; the worker sleeps in the driver between them.
constexpr std::chrono::milliseconds kSyncPace{5};

constexpr std::string_view kStartLine = "JIG ver3 start update FW";

struct UpdateFile {
  std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(kVersion3BufferSize, 0xFF);
  std::size_t length = 0;
};

bool ReadUpdateFile(const std::filesystem::path& path, UpdateFile& file, UpdateWindowPort& window) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    window.AddLine("ERROR open file " + path.string());
    return false;
  }
  in.read(reinterpret_cast<char*>(file.buffer.data()), static_cast<std::streamsize>(file.buffer.size()));
  file.length = static_cast<std::size_t>(in.gcount());
  if (file.length == 0) {
    window.AddLine("ERROR short file.");
    return false;
  }
  window.AddLine("Loaded to buffer bytes (dec): " + DecimalText(static_cast<long long>(file.length)));
  return true;
}

bool SyncReplyGood(const std::vector<std::uint8_t>& reply) {
  return reply.size() >= kSyncReply && reply[0] == 'V' && reply[2] == 'S';
}

// Sends '+' until the bootloader's 7-byte answer is waiting and good; an
// answer of another shape is dropped and the sync goes on.
bool Synchronise(JigLink& link, const UpdateWindowPort& window, std::vector<std::uint8_t>& reply) {
  const auto deadline = std::chrono::steady_clock::now() + kResetPressBound;
  while (std::chrono::steady_clock::now() < deadline && !window.StopRequested()) {
    if (link.WriteByte(kSync) != FtStatus::Ok) return false;
    link.WaitRxAtLeast(kSyncReply, kSyncPace);
    if (link.PollStatus() != FtStatus::Ok) return false;
    if (link.RxQueue() < kSyncReply) continue;
    if (link.Read(link.RxQueue()) != FtStatus::Ok) return false;
    reply.assign(link.Buffer().begin(), link.Buffer().begin() + link.Received());
    if (SyncReplyGood(reply)) return true;
    link.Purge();
  }
  return false;
}

std::string SyncReplyHex(const std::vector<std::uint8_t>& reply) {
  std::string hex;
  for (std::size_t i = 0; i < reply.size(); ++i) {
    hex += HexText(reply[i], 2);
    if (i == 2) hex += ' ';
  }
  return hex;
}

bool AwaitAck(JigLink& link, std::uint8_t expected) {
  std::uint8_t answer = 0;
  return link.AwaitByte(answer) && answer == expected;
}

bool SendBlocks(JigLink& link, const UpdateFile& file, UpdateWindowPort& window, StartLog& log) {
  const auto fail = [&](const std::string& line) {
    log.Line(line);
    window.AddLine(line);
    link.Close();
    return false;
  };
  window.SetGaugePosition(0);
  window.SetGaugeMax(static_cast<int>(file.length / kVersion3BlockSize));
  // Every byte of the file goes, and one more block past its end (all 0xFF
  // when the length is a multiple of 128) - but never past the buffer.
  int position = 0;
  for (std::size_t sent = 0; sent <= file.length && sent < file.buffer.size(); sent += kVersion3BlockSize) {
    if (link.WriteByte(kRequestBlock) != FtStatus::Ok || !AwaitAck(link, kBlockGranted))
      return fail("ERROR protocol! Update stopped.(G)");
    if (link.Write(file.buffer.data() + sent, kVersion3BlockSize) != FtStatus::Ok ||
        !AwaitAck(link, kBlockTaken))
      return fail("ERROR protocol! Update stopped.(+)");
    window.SetGaugePosition(++position);
  }
  return true;
}

}  // namespace

bool UpdateVersion3Jig(FtdiDriver& driver, const std::string& versionTag, const ImageFolders& images,
                       UpdateWindowPort& window, const std::filesystem::path& startLog) {
  if (versionTag.find(kVersion3CurrentTag) != std::string::npos) return true;
  UpdateFile file;
  if (!ReadUpdateFile(images.Find(std::string(kVersion3File)), file, window)) return false;

  JigLink link(driver, kVersion3BlockSize);
  if (link.ListDevices() != FtStatus::Ok || link.DeviceCount() == 0) return false;
  StartLog log(startLog);
  log.Line(kStartLine);
  if (link.DeviceCount() != 1) {
    log.Line(kStartLine);
    window.AddLine("Please disconnect other device and replay!");
    return false;
  }
  if (link.Open(0) != FtStatus::Ok) {
    log.Line("ERROR FT_Open != FT_OK");
    window.AddLine("ERROR FT_Open != FT_OK");
    return false;
  }
  window.AddLine("Founded FTDI device, wait answer. (RESET pushed?)");
  link.Configure(kTimeoutMs);
  window.StartResetPrompt();

  std::vector<std::uint8_t> reply;
  if (!Synchronise(link, window, reply)) {
    window.AddLine("ERROR no answer from the bootloader. Update stopped.");
    link.Close();
    return false;
  }
  window.AddLine("Readed bytes answer -> " + DecimalText(static_cast<long long>(reply.size())));
  window.AddLine("Readed bytes (hex)  -> " + SyncReplyHex(reply));
  window.AddLine("Bootloader M328 ANSWER_OK");
  log.Line("Bootloader answer OK");
  window.AddLine("Current time  " + LocalDateTimeText());

  if (!SendBlocks(link, file, window, log)) return false;
  link.WriteByte(kFinish);
  link.Close();
  window.AddLine("UPDATE completed successfully.");
  log.Line("UPDATE FW successfully.");
  return true;
}

}  // namespace qjig
