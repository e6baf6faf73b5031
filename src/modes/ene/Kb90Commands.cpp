#include "Kb90Commands.h"

#include <algorithm>

#include "link/TextHelpers.h"

namespace qjig {

namespace {

constexpr std::uint32_t kBlockReply = kKb90BlockSize + 1;

}  // namespace

void Kb90AdapterOn(JigLink& link, bool throughAdapter) {
  if (throughAdapter) link.SendSwitchAwaitReply(kKb90AdapterOn);
}

void Kb90AdapterOff(JigLink& link, bool throughAdapter) {
  if (throughAdapter) link.SendSwitchAwaitReply(kKb90AdapterOff);
}

bool Kb90ConnectChip(JigLink& link, bool throughAdapter, const LineSink& memo) {
  Kb90AdapterOn(link, throughAdapter);
  std::uint8_t version = 0;
  const bool answered = link.WriteByte(kKb90Connect) == FtStatus::Ok && link.AwaitByte(version);
  const bool connected = answered && version != kKb90NoChip;
  if (!answered) {
    memo(std::string(kKb90LostLine));
  } else if (!connected) {
    memo("");
    memo("No connection to the KB90XX!");
    memo("Check the settings !");
    memo("Motherboard is connected / powered ?");
  } else {
    memo("Communication with KB90XX installed.");
    memo("Embedded Debug Version ID = " + DecimalText(version));
  }
  Kb90AdapterOff(link, throughAdapter);
  return connected;
}

BlockReply Kb90RequestBlock(JigLink& link, std::uint8_t request, Kb90Block& data) {
  if (link.WriteByte(request) != FtStatus::Ok || !link.WaitRxExactly(kBlockReply) ||
      link.Read(kBlockReply) != FtStatus::Ok || link.Received() != kBlockReply)
    return BlockReply::NoReply;
  const auto& reply = link.Buffer();
  std::copy_n(reply.begin(), kKb90BlockSize, data.begin());
  return reply[kKb90BlockSize] == kKb90LostContact ? BlockReply::LostContact : BlockReply::Ok;
}

BlockReply Kb90WriteBlock(JigLink& link, std::span<const std::uint8_t, kKb90BlockSize> data) {
  std::uint8_t status = 0;
  if (!link.SendByteAwaitReply(kKb90WriteBlock) ||
      link.Write(data.data(), static_cast<std::uint32_t>(data.size())) != FtStatus::Ok || !link.AwaitByte(status))
    return BlockReply::NoReply;
  return status == kKb90LostContact ? BlockReply::LostContact : BlockReply::Ok;
}

void Kb90EndBlocks(JigLink& link) { link.WriteByte(kKb90EndBlocks); }

}  // namespace qjig
