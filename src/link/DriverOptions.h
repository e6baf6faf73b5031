#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FtdiDriver.h"
#include "VirtualBench.h"

namespace qjig {

// Which driver the program talks through, as the command line chose it.
struct DriverOptions {
  enum class Backend { Tty, Libftdi, Sim };
  Backend backend = Backend::Tty;
  std::string benchPath;           // --sim BENCH
  std::vector<std::string> ports;  // --port PATH...: tty paths instead of the scan
  std::string tracePath;           // --trace FILE
};

// Takes --sim, --port, --libftdi and --trace out of `args`, leaving the
// rest in order. Returns an error text, empty when the options were good.
// --port takes every following argument that holds a '/' (a device path).
std::string TakeDriverOptions(std::vector<std::string>& args, DriverOptions& options);

struct DriverChoice {
  std::unique_ptr<FtdiDriver> driver;
  std::string error;  // set when no driver could be made
  // The jigs on the desk when the driver is a virtual bench, whatever wraps
  // it (a trace), so the bench's own window can show and handle them.
  std::optional<sim::VirtualBench> bench;
};

DriverChoice MakeDriver(const DriverOptions& options);

inline constexpr const char* kDriverOptionsHelp =
    "  --sim BENCH       use the virtual bench described in BENCH\n"
    "  --port PATH...    use these serial devices instead of searching for FTDI ttys\n"
    "  --libftdi         talk to FTDI bridges through libftdi1 instead of the tty driver\n"
    "  --trace FILE      record every open, close, baud change, purge and byte in FILE\n";

}  // namespace qjig
