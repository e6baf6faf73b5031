#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "VirtualJig.h"

namespace sim {

// Serves one virtual jig on a pseudo-terminal, so the program's tty backend
// talks to it as to a /dev/ttyUSB of the real bridge: bytes the client
// writes reach the jig at the line settings the client has set, the jig's
// replies come back to be read, and an unplugged jig hangs the terminal up.
//
// The server keeps its own descriptor of the slave side open: a client may
// close and reopen the path without hanging the terminal up, and its line
// settings can be read there. One server serves one plug-in of the jig.
//
// Where a pty differs from the bridge: the jig hears a byte at the line
// settings in force when the server takes it, some tens of microseconds after
// the client wrote it. The kernel tells nothing about the order of a write
// and a later line change, and TIOCOUTQ is always 0 on a pty, so a client
// that changes the line, or closes and reopens, right after writing without
// waiting for an answer may have that byte heard at the new settings, or
// flushed by the next open's reset. On a real ttyUSB the kernel's close
// waits until the bytes have left.
class PtyJigServer {
 public:
  explicit PtyJigServer(std::shared_ptr<VirtualJig> jig);  // starts serving at once
  ~PtyJigServer();                                         // stops and joins
  PtyJigServer(const PtyJigServer&) = delete;
  PtyJigServer& operator=(const PtyJigServer&) = delete;

  const std::string& SlavePath() const { return slavePath_; }
  // Pulls the cable: when this returns the client sees the device vanish.
  void Unplug();

 private:
  void OpenTerminal();
  void ForwardToJig();
  void ForwardToClient();
  bool WriteToClient(const std::uint8_t* data, std::size_t count);
  void Wake();
  void Shutdown();
  void HangUp();

  std::shared_ptr<VirtualJig> jig_;
  std::uint64_t session_ = 0;
  int master_ = -1;
  int slave_ = -1;
  int wake_ = -1;  // eventfd; once signalled, both threads leave their waits
  std::string slavePath_;
  std::thread toJig_;
  std::thread toClient_;  // joins toJig_ and hangs up when the jig is gone
};

}  // namespace sim
