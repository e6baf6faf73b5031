#include "VirtualBench.h"

#include <fstream>
#include <sstream>

#include "firmwares/FirmwareFamilies.h"
#include "targets/TargetKinds.h"

namespace sim {

namespace {

std::optional<BenchError> BuildJig(const JigSpec& described, bool wireTime, VirtualBench& bench) {
  const FirmwareFamily* family = FindFirmwareFamily(described.firmware);
  if (!family)
    return BenchError{described.firmwareLine, "unknown firmware '" + described.firmware + "' (known: " +
                                     FirmwareFamilyNames() + ")"};
  std::vector<std::unique_ptr<Target>> targets;
  for (const TargetSpec& t : described.targets) {
    const TargetFactory* factory = FindTargetKind(t.kind);
    if (!factory) return BenchError{t.line, "unknown target kind '" + t.kind + "'"};
    std::string problem;
    auto target = (*factory)(t.params, problem);
    if (!target) return BenchError{t.line, problem};
    targets.push_back(std::move(target));
  }
  ApplicationFlash flash(family->model, KnownApplication{std::string(family->name),
                                                         described.tag.value_or(std::string(family->defaultTag))});
  auto jig = std::make_shared<VirtualJig>(
      described.serial,
      JigMcu(family->model, std::move(flash), std::move(targets), described.mcuFaults, described.bootAtPowerUp),
      described.bridgeFaults, wireTime, described.resetPress);
  if (!described.plugged) jig->Unplug();
  bench.jigs.push_back(std::move(jig));
  return std::nullopt;
}

}  // namespace

BenchBuild BuildBench(const BenchSpec& described) {
  BenchBuild result;
  for (const JigSpec& jig : described.jigs) {
    result.error = BuildJig(jig, described.wireTime, result.bench);
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
