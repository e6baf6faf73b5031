#include "PtyJigServer.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>
#include <utility>
#include <vector>

#include "ClientLine.h"

namespace sim {

namespace {

// Only a bound: stopping and unplugging wake the threads at once.
constexpr int kIdleWaitMs = 1000;

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

[[noreturn]] void Fail(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

}  // namespace

PtyJigServer::PtyJigServer(std::shared_ptr<VirtualJig> jig) : jig_(std::move(jig)) {
  try {
    OpenTerminal();
  } catch (...) {
    HangUp();
    CloseFd(wake_);
    throw;
  }
  switch (jig_->Open(session_)) {
    case PortResult::Ok:
      // WaitRx does the waiting; Read then takes what is there without blocking.
      jig_->SetTimeouts(session_, 0, 0);
      toJig_ = std::thread(&PtyJigServer::ForwardToJig, this);
      toClient_ = std::thread(&PtyJigServer::ForwardToClient, this);
      break;
    case PortResult::Busy: {
      // Another program holds the bridge, so opening the tty must fail.
      // TIOCEXCL would say EBUSY, but root (tests, CI) passes straight
      // through it; a locked pty refuses everyone's open, with EIO. Should
      // the lock be refused, no device at all fails the open just as well.
      int lock = 1;
      if (ioctl(master_, TIOCSPTLCK, &lock) != 0) HangUp();
      break;
    }
    case PortResult::Gone:
      HangUp();  // no cable, no device
      break;
  }
}

void PtyJigServer::OpenTerminal() {
  if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) Fail("openpty");
  std::array<char, 128> name{};
  termios raw{};
  if (ttyname_r(slave_, name.data(), name.size()) != 0 || tcgetattr(slave_, &raw) != 0) Fail("pty slave");
  slavePath_ = name.data();
  // The slave starts cooked (echo, CR/LF translation); a bridge passes bytes.
  cfmakeraw(&raw);
  if (tcsetattr(slave_, TCSANOW, &raw) != 0 || fcntl(master_, F_SETFL, O_NONBLOCK) != 0 ||
      fcntl(master_, F_SETFD, FD_CLOEXEC) != 0 || fcntl(slave_, F_SETFD, FD_CLOEXEC) != 0)
    Fail("pty set-up");
  wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake_ < 0) Fail("eventfd");
}

PtyJigServer::~PtyJigServer() {
  jig_->Close(session_);
  Shutdown();
  CloseFd(wake_);
}

void PtyJigServer::Unplug() {
  jig_->Unplug();
  Shutdown();
}

void PtyJigServer::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(wake_, &one, sizeof one);
}

void PtyJigServer::Shutdown() {
  Wake();
  if (toClient_.joinable()) toClient_.join();
  HangUp();
}

void PtyJigServer::HangUp() {
  // Closing the master hangs the slave up: the client's poll reports POLLHUP
  // and its reads and writes fail, as when the USB cable is pulled.
  CloseFd(master_);
  CloseFd(slave_);
}

void PtyJigServer::ForwardToJig() {
  std::array<std::uint8_t, 4096> chunk{};
  for (;;) {
    std::array<pollfd, 2> fds{{{master_, POLLIN, 0}, {wake_, POLLIN, 0}}};
    const int ready = ::poll(fds.data(), fds.size(), kIdleWaitMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || fds[1].revents != 0) break;
    if (ready == 0) continue;
    const ssize_t n = ::read(master_, chunk.data(), chunk.size());
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n <= 0) break;
    // The client may have changed its line since the last chunk; the jig
    // hears these bytes at whatever rate and format it has now.
    if (const auto line = ReadClientLine(slave_)) {
      jig_->SetBaud(session_, line->baud);
      jig_->SetFormat(session_, line->format8N1);
    }
    std::uint32_t written = 0;
    if (jig_->Write(session_, chunk.data(), static_cast<std::uint32_t>(n), written) != PortResult::Ok) break;
  }
  // Whichever side stops first brings the other down.
  jig_->Close(session_);
}

void PtyJigServer::ForwardToClient() {
  std::vector<std::uint8_t> replies;
  for (;;) {
    std::uint32_t waiting = 0;
    if (jig_->WaitRx(session_, 1, std::chrono::milliseconds(kIdleWaitMs), waiting) != PortResult::Ok) break;
    if (waiting == 0) continue;
    replies.resize(waiting);
    std::uint32_t received = 0;
    if (jig_->Read(session_, replies.data(), waiting, received) != PortResult::Ok) break;
    if (!WriteToClient(replies.data(), received)) break;
  }
  Wake();
  toJig_.join();
  HangUp();
}

bool PtyJigServer::WriteToClient(const std::uint8_t* data, std::size_t count) {
  // A client that does not read fills the terminal's buffers; then wait for
  // room, but leave as soon as the server stops.
  while (count > 0) {
    const ssize_t n = ::write(master_, data, count);
    if (n > 0) {
      data += n;
      count -= static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    std::array<pollfd, 2> fds{{{master_, POLLOUT, 0}, {wake_, POLLIN, 0}}};
    const int ready = ::poll(fds.data(), fds.size(), kIdleWaitMs);
    if (ready < 0 && errno != EINTR) return false;
    if (ready > 0 && fds[1].revents != 0) return false;
  }
  return true;
}

}  // namespace sim
