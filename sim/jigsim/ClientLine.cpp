#include "ClientLine.h"

// termios2 carries the rate as a number, whatever Bxxx code the client used.
// Its header clashes with <termios.h>, hence this file of its own.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace sim {

std::optional<LineSettings> ReadClientLine(int slaveFd) {
  termios2 t{};
  if (ioctl(slaveFd, TCGETS2, &t) != 0) return std::nullopt;
  // A pseudo-terminal keeps CS8 and no parity whatever the client asks for,
  // so over a pty only two stop bits can spoil the format.
  const bool format8N1 = (t.c_cflag & CSIZE) == CS8 && !(t.c_cflag & (PARENB | CSTOPB));
  return LineSettings{t.c_ospeed, format8N1};
}

}  // namespace sim
