#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "link/CheckProgrammer.h"
#include "link/JigLink.h"

namespace qjig {

// The KB90xx commands of the ENE_EDID_KB jig firmware. The flash is moved in
// 512 blocks of 256 bytes; a block comes back with one status byte.
inline constexpr std::size_t kKb90ImageSize = 0x20000;
inline constexpr std::size_t kKb90BlockSize = 256;
inline constexpr int kKb90BlockCount = 512;
inline constexpr std::size_t kKb90LinkBuffer = 300;  // the largest reply is a block and its status

inline constexpr std::uint8_t kKb90Connect = 'v';
inline constexpr std::uint8_t kKb90ReadFirst = 'R';  // also every block of a verification
inline constexpr std::uint8_t kKb90ReadNext = 'N';
inline constexpr std::uint8_t kKb90WriteBlock = 'W';
inline constexpr std::uint8_t kKb90EndBlocks = 'X';
inline constexpr std::uint8_t kKb90AdapterOn = '1';   // arguments of 'V'
inline constexpr std::uint8_t kKb90AdapterOff = '0';

inline constexpr std::uint8_t kKb90NoChip = 0xFF;       // the connect reply when no chip answers
inline constexpr std::uint8_t kKb90LostContact = 0x65;  // a block status: contact lost or jig timed out

// Said whenever the chip or the jig stops answering, whether by a status
// byte or by a wait that ran out.
inline constexpr std::string_view kKb90LostLine = "!!! Lost Communication with ENE or timeout !!! ";

using Kb90Block = std::array<std::uint8_t, kKb90BlockSize>;

// With the BRIMEX adapter board chosen, chip access is put between these
// two; without it they send nothing. A jig that does not answer them fails
// the next command anyway, so their replies decide nothing.
void Kb90AdapterOn(JigLink& link, bool throughAdapter);
void Kb90AdapterOff(JigLink& link, bool throughAdapter);

// Asks for the chip ('v'), through the adapter when chosen. True when a chip
// answered with its embedded debug version; the lines go to `memo`.
bool Kb90ConnectChip(JigLink& link, bool throughAdapter, const LineSink& memo);

enum class BlockReply {
  Ok,
  LostContact,  // the block came, with the lost-contact status
  NoReply,      // no whole block within the bound: there is no data
};

// Sends `request` ('R' or 'N') and takes the 256 bytes and status that come back.
BlockReply Kb90RequestBlock(JigLink& link, std::uint8_t request, Kb90Block& data);
// Announces a block write ('W'), sends the block and takes its status.
BlockReply Kb90WriteBlock(JigLink& link, std::span<const std::uint8_t, kKb90BlockSize> data);
// Ends a sequence of block reads or writes; the jig does not answer it.
void Kb90EndBlocks(JigLink& link);

}  // namespace qjig
