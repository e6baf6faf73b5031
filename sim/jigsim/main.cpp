// jigsim [--bench FILE] [--jig N]
//
// Serves one jig of a virtual bench on a pseudo-terminal and prints the
// terminal's path, so the program's tty backend (--port PATH) can be tried
// without hardware. Runs until SIGINT or SIGTERM.

#include <signal.h>

#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "PtyJigServer.h"
#include "VirtualBench.h"

namespace {

constexpr std::string_view kDefaultBench = "[jig]\nfirmware = NPCE\n";
constexpr const char* kUsage = "usage: jigsim [--bench FILE] [--jig N]\n";

struct Options {
  std::optional<std::string> bench;
  std::size_t jig = 0;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (i + 1 >= argc) return std::nullopt;
    const std::string_view value = argv[++i];
    if (arg == "--bench") {
      options.bench = std::string(value);
    } else if (arg == "--jig") {
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), options.jig);
      if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  if (!options) {
    std::cerr << kUsage;
    return 1;
  }
  const sim::BenchBuild built =
      options->bench ? sim::LoadBenchFile(*options->bench) : sim::LoadBenchText(kDefaultBench);
  if (built.error) {
    std::cerr << "jigsim: " << sim::FormatBenchError(*built.error) << '\n';
    return 1;
  }
  if (options->jig >= built.bench.jigs.size()) {
    std::cerr << "jigsim: the bench has " << built.bench.jigs.size() << " jig(s), no jig "
              << options->jig << '\n';
    return 1;
  }

  // Blocked before the server starts its threads, so they inherit the mask
  // and the signals wait for sigwait below.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGINT);
  sigaddset(&stop, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stop, nullptr);

  try {
    sim::PtyJigServer server(built.bench.jigs[options->jig]);
    std::cout << server.SlavePath() << std::endl;
    int signal = 0;
    sigwait(&stop, &signal);
  } catch (const std::system_error& error) {
    std::cerr << "jigsim: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
