#include "VirtualBench.h"

#include <fstream>
#include <sstream>

#include "firmwares/FirmwareFamilies.h"
#include "targets/TargetKinds.h"

namespace sim {

namespace {

std::optional<BenchError> BuildJig(const JigSpec& spec, bool wireTime, VirtualBench& bench) {
  const FirmwareFamily* family = FindFirmwareFamily(spec.firmware);
  if (!family)
    return BenchError{spec.firmwareLine, "unknown firmware '" + spec.firmware + "' (known: " +
                                     FirmwareFamilyNames() + ")"};
  std::vector<std::unique_ptr<Target>> targets;
  for (const TargetSpec& t : spec.targets) {
    const TargetFactory* factory = FindTargetKind(t.kind);
    if (!factory) return BenchError{t.line, "unknown target kind '" + t.kind + "'"};
    std::string problem;
    auto target = (*factory)(t.params, problem);
    if (!target) return BenchError{t.line, problem};
    targets.push_back(std::move(target));
  }
  auto firmware = std::make_unique<ApplicationFirmware>(
      spec.tag.value_or(std::string(family->defaultTag)),
      family->makeCommands ? family->makeCommands() : nullptr);
  auto jig = std::make_shared<VirtualJig>(
      spec.serial, JigMcu(std::move(firmware), std::move(targets), spec.mcuFaults),
      spec.bridgeFaults, wireTime);
  if (!spec.plugged) jig->Unplug();
  bench.jigs.push_back(std::move(jig));
  return std::nullopt;
}

}  // namespace

BenchBuild BuildBench(const BenchSpec& spec) {
  BenchBuild result;
  for (const JigSpec& jig : spec.jigs) {
    result.error = BuildJig(jig, spec.wireTime, result.bench);
    if (result.error) break;
  }
  return result;
}

BenchBuild LoadBenchText(std::string_view text) {
  const BenchParse parsed = ParseBench(text);
  if (parsed.error) return BenchBuild{{}, parsed.error};
  return BuildBench(parsed.bench);
}

BenchBuild LoadBenchFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return BenchBuild{{}, BenchError{0, path + ": cannot open the bench file"}};
  std::ostringstream text;
  text << in.rdbuf();
  BenchBuild built = LoadBenchText(text.str());
  if (built.error) built.error->message = path + ": " + FormatBenchError(*built.error), built.error->line = 0;
  return built;
}

}  // namespace sim
