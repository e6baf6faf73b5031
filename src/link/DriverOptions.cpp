#include "DriverOptions.h"

#include "backends/LibftdiDriver.h"
#include "backends/SimDriver.h"
#include "backends/TraceDriver.h"
#include "backends/TtyDriver.h"

namespace qjig {

std::string TakeDriverOptions(std::vector<std::string>& args, DriverOptions& options) {
  std::vector<std::string> rest;
  int backends = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--sim") {
      if (!hasValue) return "--sim needs a bench file";
      options.backend = DriverOptions::Backend::Sim;
      options.benchPath = args[++i];
      ++backends;
    } else if (arg == "--libftdi") {
      options.backend = DriverOptions::Backend::Libftdi;
      ++backends;
    } else if (arg == "--port") {
      while (i + 1 < args.size() && args[i + 1].find('/') != std::string::npos)
        options.ports.push_back(args[++i]);
      if (options.ports.empty()) return "--port needs at least one device path";
      options.backend = DriverOptions::Backend::Tty;
      ++backends;
    } else if (arg == "--trace") {
      if (!hasValue) return "--trace needs a file name";
      options.tracePath = args[++i];
    } else {
      rest.push_back(arg);
    }
  }
  if (backends > 1) return "choose one of --sim, --port and --libftdi";
  args = std::move(rest);
  return "";
}

namespace {

DriverChoice MakeBackend(const DriverOptions& options) {
  switch (options.backend) {
    case DriverOptions::Backend::Sim: {
      sim::BenchBuild built = sim::LoadBenchFile(options.benchPath);
      if (built.error) return {nullptr, sim::FormatBenchError(*built.error), {}};
      return {std::make_unique<SimDriver>(built.bench), "", built.bench};
    }
    case DriverOptions::Backend::Libftdi:
      return {MakeLibftdiDriver(), "", {}};
    case DriverOptions::Backend::Tty:
      if (!options.ports.empty()) return {TtyDriver::ForPorts(options.ports), "", {}};
      return {TtyDriver::Scanning(), "", {}};
  }
  return {nullptr, "unknown driver", {}};
}

}  // namespace

DriverChoice MakeDriver(const DriverOptions& options) {
  DriverChoice choice = MakeBackend(options);
  if (!choice.driver || options.tracePath.empty()) return choice;
  auto traced = std::make_unique<TraceDriver>(std::move(choice.driver), options.tracePath);
  if (!traced->IsRecording()) return {nullptr, options.tracePath + ": cannot write the trace file", {}};
  choice.driver = std::move(traced);
  return choice;
}

}  // namespace qjig
