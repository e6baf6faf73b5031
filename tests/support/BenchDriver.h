#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "PtyBench.h"
#include "VirtualBench.h"
#include "link/FtdiDriver.h"

namespace testsupport {

// The two ways the program can reach a virtual bench: in process, and
// through the real tty backend over pseudo-terminals served by the jig
// simulator. Link-level tests run on both.
enum class Backend { Sim, TtyOverPty };

std::string BackendName(Backend backend);

// A bench built from bench-file text, and a driver onto it.
class BenchDriver {
 public:
  BenchDriver(Backend backend, std::string_view benchText);
  ~BenchDriver();

  qjig::FtdiDriver& Driver() { return *driver_; }
  sim::VirtualJig& Jig(std::size_t i) { return *bench_.jigs.at(i); }
  // Pulls jig i's cable, on whichever side the backend sees it.
  void Unplug(std::size_t i);

 private:
  Backend backend_;
  sim::VirtualBench bench_;
  std::unique_ptr<PtyBench> ptys_;
  std::unique_ptr<qjig::FtdiDriver> driver_;
};

}  // namespace testsupport
