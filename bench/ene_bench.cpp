// How close a KB90xx read and write come to what the wire allows. Runs the
// KB90xx command layer and worker body against the virtual jig with its
// wire-time model on, at the link's 921600 baud and 2 ms latency timer, and
// prints for each operation the wall time, the wire's lower bound for the
// same traffic, their ratio and the host CPU time.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CountingDriver.h"
#include "VirtualBench.h"
#include "link/backends/SimDriver.h"
#include "modes/ene/Kb90Operation.h"

namespace {

using namespace qjig;

constexpr std::string_view kBench =
    "wire-time = on\n"
    "[jig]\n"
    "firmware = ENE_EDID_KB\n"
    "target = kb9012 content=pattern\n";

constexpr double kBitsPerByte = 10.0;  // start, 8 data, stop

// The body's lines are kept for a report when the operation fails.
class QuietWindow final : public OperationPort {
 public:
  void AddLine(const std::string& line) override { lines.push_back(line); }
  void SetGauge(int) override {}
  void SetGaugeColour(std::uint32_t) override {}
  void Finished(bool ok) override { succeeded = ok; }
  bool StopRequested() const override { return false; }

  std::vector<std::string> lines;
  bool succeeded = false;
};

// The whole process's CPU time, the virtual jig's included: it runs in the
// host's calls to the driver.
struct CpuTime {
  double user = 0;
  double system = 0;
};

CpuTime CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return {seconds(usage.ru_utime), seconds(usage.ru_stime)};
}

// One operation on a fresh bench: the check and the chip connect as READ
// and WRITE do them, then the measured part, the worker's body. The check
// is left out: its version query waits out the read time-out by design.
bool Measure(const char* name, std::string_view state, const std::vector<std::uint8_t>& image,
             const std::filesystem::path& file) {
  sim::BenchBuild built = sim::LoadBenchText(kBench);
  if (built.error) {
    std::fprintf(stderr, "bench: %s\n", sim::FormatBenchError(*built.error).c_str());
    return false;
  }
  SimDriver sim(std::move(built.bench));
  qjigbench::CountingDriver counted(sim);
  JigLink link(counted, kKb90LinkBuffer);
  std::string tag;
  const LineSink ignore = [](const std::string&) {};
  if (!PrepareKb90Operation(link, false, ignore, tag).Ready()) {
    std::fprintf(stderr, "bench: the virtual jig did not answer the check and chip connect\n");
    return false;
  }
  OperationState operation;
  operation.Set(state);
  Kb90Job job{link, operation, false, std::ofstream(file, std::ios::binary | std::ios::trunc), image};
  QuietWindow window;

  counted.ResetCounts();
  const CpuTime cpuBefore = CpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  RunKb90Operation(job, window);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  const CpuTime cpuAfter = CpuSeconds();
  const double user = cpuAfter.user - cpuBefore.user;
  const double system = cpuAfter.system - cpuBefore.system;

  if (!window.succeeded) {
    std::fprintf(stderr, "bench: %s failed:\n", name);
    for (const std::string& line : window.lines) std::fprintf(stderr, "  %s\n", line.c_str());
    return false;
  }
  const double wire = static_cast<double>(counted.bytesOut + counted.bytesIn) * kBitsPerByte / kJigBaud;
  const double latency = static_cast<double>(counted.replies) * kJigLatencyMs / 1000.0;
  const double model = wire + latency;
  std::printf("%-20s wall %6.3f s   link model %6.3f s   wall/model %5.2f   host CPU %6.3f s\n", name, wall, model,
              wall / model, user + system);
  std::printf("%-20s (%llu bytes out, %llu bytes in, %llu replies waited for; CPU user %.3f s, system %.3f s)\n",
              "", static_cast<unsigned long long>(counted.bytesOut), static_cast<unsigned long long>(counted.bytesIn),
              static_cast<unsigned long long>(counted.replies), user, system);
  return true;
}

}  // namespace

int main() {
  std::printf("KB90xx on the virtual jig: wire-time on, %u baud, %u ms latency timer\n", kJigBaud,
              static_cast<unsigned>(kJigLatencyMs));
  std::printf("link model: 10 bits a byte each way, plus one latency period per reply\n\n");
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "ene_bench.bin";
  std::vector<std::uint8_t> image(kKb90ImageSize);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));

  const bool ok = Measure("read 128 KB", kStateReading, {}, file) &&
                  Measure("write+verify 128 KB", kStateWriting, image, file);
  std::filesystem::remove(file);
  return ok ? 0 : 1;
}
