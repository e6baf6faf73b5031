#include "TtyPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <fstream>
#include <thread>
#include <utility>

namespace qjig {

namespace {

using std::chrono::milliseconds;

struct BaudCode {
  std::uint32_t baud;
  speed_t code;
};

constexpr std::array kBaudCodes{
    BaudCode{300, B300},         BaudCode{600, B600},         BaudCode{1200, B1200},
    BaudCode{2400, B2400},       BaudCode{4800, B4800},       BaudCode{9600, B9600},
    BaudCode{19200, B19200},     BaudCode{38400, B38400},     BaudCode{57600, B57600},
    BaudCode{115200, B115200},   BaudCode{230400, B230400},   BaudCode{460800, B460800},
    BaudCode{921600, B921600},   BaudCode{1000000, B1000000}, BaudCode{1500000, B1500000},
    BaudCode{2000000, B2000000}, BaudCode{3000000, B3000000},
};

// A raw byte pipe, 8N1, no flow control, and no hang-up on a missing carrier:
// the jig's bridge does not drive DCD.
void MakeRawLocal(termios& t) {
  cfmakeraw(&t);
  t.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
  t.c_cflag |= CLOCAL | CREAD;
}

template <typename Change>
FtStatus ChangeTermios(int fd, Change change) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return FtStatus::IoError;
  if (const FtStatus status = change(t); status != FtStatus::Ok) return status;
  return tcsetattr(fd, TCSANOW, &t) == 0 ? FtStatus::Ok : FtStatus::IoError;
}

enum class FdWait { Ready, TimedOut, HungUp };

// Blocks in poll() until the tty is ready for `events`, the deadline passes or
// the device goes away (a pulled cable shows as POLLHUP/POLLERR at once).
FdWait WaitFd(int fd, short events, TtyPort::Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::ceil<milliseconds>(deadline - TtyPort::Clock::now());
    if (left.count() <= 0) return FdWait::TimedOut;
    pollfd p{fd, events, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(std::min<milliseconds::rep>(left.count(), INT_MAX)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || (p.revents & (POLLHUP | POLLERR | POLLNVAL))) return FdWait::HungUp;
    if (ready > 0) return FdWait::Ready;
  }
}

}  // namespace

std::unique_ptr<TtyPort> TtyPort::Open(const std::filesystem::path& path,
                                       std::optional<std::filesystem::path> latencyTimer) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  // TIOCEXCL keeps a second program off the jig while we talk to it. Raw mode
  // from the start: a cooked tty would echo and edit the jig's bytes, and
  // VMIN 1 makes a read of 0 bytes mean a hang-up.
  if (ioctl(fd, TIOCEXCL) != 0 || ChangeTermios(fd, [](termios& t) {
                                     MakeRawLocal(t);
                                     return FtStatus::Ok;
                                   }) != FtStatus::Ok) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<TtyPort>(new TtyPort(fd, std::move(latencyTimer)));
}

TtyPort::TtyPort(int fd, std::optional<std::filesystem::path> latencyTimer)
    : fd_(fd), latencyTimer_(std::move(latencyTimer)) {}

TtyPort::~TtyPort() { ::close(fd_); }

FtStatus TtyPort::Reset() {
  // The kernel already reset the chip when the tty was opened; what is left
  // is to forget stale bytes.
  rx_.clear();
  return tcflush(fd_, TCIOFLUSH) == 0 ? FtStatus::Ok : FtStatus::IoError;
}

FtStatus TtyPort::SetBaudRate(std::uint32_t baud) {
  const auto known = std::find_if(kBaudCodes.begin(), kBaudCodes.end(),
                                  [baud](const BaudCode& c) { return c.baud == baud; });
  if (known == kBaudCodes.end()) return FtStatus::InvalidBaudRate;
  return ChangeTermios(fd_, [code = known->code](termios& t) {
    MakeRawLocal(t);
    cfsetispeed(&t, code);
    cfsetospeed(&t, code);
    return FtStatus::Ok;
  });
}

FtStatus TtyPort::SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                         std::uint8_t parity) {
  // The FTDI codes: 7 or 8 data bits; stop bits 0 = one, 2 = two; parity
  // 0 = none, 1 = odd, 2 = even (mark and space have no termios flag).
  if ((wordLength != 7 && wordLength != 8) || (stopBits != 0 && stopBits != 2) || parity > 2)
    return FtStatus::InvalidParameter;
  return ChangeTermios(fd_, [=](termios& t) {
    t.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD);
    t.c_cflag |= wordLength == 8 ? CS8 : CS7;
    if (stopBits == 2) t.c_cflag |= CSTOPB;
    if (parity != 0) t.c_cflag |= PARENB;
    if (parity == 1) t.c_cflag |= PARODD;
    return FtStatus::Ok;
  });
}

void TtyPort::SetTimeouts(milliseconds read, milliseconds write) {
  readTimeout_ = read;
  writeTimeout_ = write;
}

void TtyPort::SetLatencyTimer(std::uint8_t ms) {
  // Writing the attribute needs root; without it the udev rule has already set
  // 2 ms at plug-in, which is what the program asks for, so a refusal is no
  // reason to give up on the jig.
  if (!latencyTimer_) return;
  std::ofstream attribute(*latencyTimer_);
  attribute << static_cast<unsigned>(ms) << '\n';
}

FtStatus TtyPort::Drain() {
  std::array<std::uint8_t, 4096> chunk{};
  for (;;) {
    const ssize_t n = ::read(fd_, chunk.data(), chunk.size());
    if (n > 0) {
      rx_.insert(rx_.end(), chunk.begin(), chunk.begin() + n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) return FtStatus::Ok;
    return FtStatus::IoError;  // EIO, or 0 bytes: the tty was hung up
  }
}

std::uint32_t TtyPort::RxCount() const {
  return static_cast<std::uint32_t>(std::min<std::size_t>(rx_.size(), UINT32_MAX));
}

FtStatus TtyPort::FillUntil(std::uint32_t count, Clock::time_point deadline) {
  for (;;) {
    if (Drain() != FtStatus::Ok) return FtStatus::IoError;
    if (rx_.size() >= count) return FtStatus::Ok;
    switch (WaitFd(fd_, POLLIN, deadline)) {
      case FdWait::Ready: break;
      case FdWait::TimedOut: return FtStatus::Ok;
      case FdWait::HungUp: return FtStatus::IoError;
    }
  }
}

FtStatus TtyPort::Write(const std::uint8_t* data, std::uint32_t count, std::uint32_t& written) {
  written = 0;
  const Clock::time_point deadline = Clock::now() + writeTimeout_;
  while (written < count) {
    const ssize_t n = ::write(fd_, data + written, count - written);
    if (n > 0) {
      written += static_cast<std::uint32_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return FtStatus::IoError;
    switch (WaitFd(fd_, POLLOUT, deadline)) {
      case FdWait::Ready: break;
      case FdWait::TimedOut: return FtStatus::Ok;
      case FdWait::HungUp: return FtStatus::IoError;
    }
  }
  return FtStatus::Ok;
}

FtStatus TtyPort::Read(std::uint8_t* data, std::uint32_t count, std::uint32_t& received) {
  received = 0;
  if (FillUntil(count, Clock::now() + readTimeout_) != FtStatus::Ok) return FtStatus::IoError;
  received = std::min(count, RxCount());
  std::copy_n(rx_.begin(), received, data);
  rx_.erase(rx_.begin(), rx_.begin() + received);
  return FtStatus::Ok;
}

FtStatus TtyPort::GetStatus(std::uint32_t& rxQueue, std::uint32_t& txQueue) {
  rxQueue = txQueue = 0;
  int pending = 0;
  if (Drain() != FtStatus::Ok || ioctl(fd_, TIOCOUTQ, &pending) != 0) return FtStatus::IoError;
  rxQueue = RxCount();
  txQueue = static_cast<std::uint32_t>(pending);
  return FtStatus::Ok;
}

FtStatus TtyPort::Purge(std::uint32_t mask) {
  const bool rx = mask & kPurgeRx;
  const bool tx = mask & kPurgeTx;
  if (!rx && !tx) return FtStatus::Ok;
  if (rx) rx_.clear();
  return tcflush(fd_, rx && tx ? TCIOFLUSH : rx ? TCIFLUSH : TCOFLUSH) == 0 ? FtStatus::Ok
                                                                            : FtStatus::IoError;
}

FtStatus TtyPort::WaitRxQueue(std::uint32_t minCount, milliseconds timeout, std::uint32_t& rxQueue) {
  const FtStatus status = FillUntil(minCount, Clock::now() + timeout);
  rxQueue = RxCount();
  return status;
}

FtStatus TtyPort::WaitTxEmpty(milliseconds timeout, std::uint32_t& txQueue) {
  txQueue = 0;
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    int pending = 0;
    if (ioctl(fd_, TIOCOUTQ, &pending) != 0) return FtStatus::IoError;
    txQueue = static_cast<std::uint32_t>(pending);
    const Clock::time_point now = Clock::now();
    if (pending == 0 || now >= deadline) return FtStatus::Ok;
    // The kernel offers no bounded wait for an empty output queue (tcdrain
    // has no time-out), so this one wait looks at the count every millisecond.
    std::this_thread::sleep_for(std::min<Clock::duration>(milliseconds(1), deadline - now));
  }
}

}  // namespace qjig
