#pragma once

// The host's end of a virtual jig, for the bootloader tests: one session at
// the baud rate the test sets, and whatever has come back. Wire time is off
// on these benches unless a test turns it on, so a reply has arrived by the
// time its write returns.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "VirtualBench.h"

namespace simtest {

inline constexpr std::uint32_t kM88BootBaud = 115200;
inline const std::string kM88Banner = "BOOT_M88 1.3\x11";

// The first jig of a bench text that must build.
std::shared_ptr<sim::VirtualJig> BuildJig(const std::string& bench);

class JigHost {
 public:
  explicit JigHost(sim::VirtualJig& jig, std::uint32_t baud = sim::kApplicationBaud);
  ~JigHost();
  JigHost(const JigHost&) = delete;
  JigHost& operator=(const JigHost&) = delete;

  void SetBaud(std::uint32_t baud);
  // Sends the bytes and takes everything that has arrived.
  std::string Ask(std::string_view bytes);
  std::uint64_t Session() const { return session_; }

 private:
  sim::VirtualJig& jig_;
  std::uint64_t session_ = 0;
};

// `size` bytes of 0xFF with the image tag of `tag` at `at`.
sim::Bytes ImageWithTag(std::string_view tag, std::size_t at = 0x40, std::size_t size = 0x100);
// One data record for every 16 bytes of the image.
std::vector<std::string> RecordsOf(const sim::Bytes& image);

// The host's side of the M88 bootloader once it runs: sync at its rate,
// "pf", the records (each must be taken), the end record and "g".
void ProgramM88(JigHost& host, const std::vector<std::string>& records);
// The host's side of the M328 bootloader once it runs: sync, the image in
// blocks of 128 (the last one padded with 0xFF), then 'X'.
void UploadM328(JigHost& host, const sim::Bytes& image);

}  // namespace simtest
