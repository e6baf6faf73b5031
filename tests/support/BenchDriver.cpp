#include "BenchDriver.h"

#include <stdexcept>

#include "link/backends/SimDriver.h"
#include "link/backends/TtyDriver.h"

namespace testsupport {

std::string BackendName(Backend backend) {
  return backend == Backend::Sim ? "Sim" : "TtyOverPty";
}

BenchDriver::BenchDriver(Backend backend, std::string_view benchText) : backend_(backend) {
  sim::BenchBuild built = sim::LoadBenchText(benchText);
  if (built.error) throw std::runtime_error("bad test bench: " + sim::FormatBenchError(*built.error));
  bench_ = std::move(built.bench);
  if (backend == Backend::Sim) {
    driver_ = std::make_unique<qjig::SimDriver>(bench_);
  } else {
    ptys_ = std::make_unique<PtyBench>(bench_);
    driver_ = qjig::TtyDriver::ForPorts(ptys_->Ports());
  }
}

BenchDriver::~BenchDriver() = default;

void BenchDriver::Unplug(std::size_t i) {
  if (!ptys_) {
    bench_.jigs.at(i)->Unplug();
    return;
  }
  // Only plugged jigs have a pty: count those before jig i.
  std::size_t served = 0;
  for (std::size_t j = 0; j < i; ++j) served += bench_.jigs.at(j)->IsPlugged();
  ptys_->Server(served).Unplug();
}

}  // namespace testsupport
