#include "CliRun.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

namespace testsupport {

std::string BuildDir() {
  if (const char* dir = std::getenv("QUILMAREX_BUILD_DIR")) return dir;
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path().string();
}

std::string Cli() { return BuildDir() + "/src/app/quilmarex-jig-cli"; }

CliRun RunIn(const std::filesystem::path& dir, const std::string& command) {
  CliRun run;
  FILE* pipe = popen(("cd '" + dir.string() + "' && " + command).c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::string CliOverJigsim(const std::string& bench, const std::string& args) {
  // jigsim prints its pty path and serves until killed.
  const std::string script = BuildDir() + "/sim/jigsim/jigsim --bench " + bench +
                             " > jigsim.out & pid=$!; "
                             "for i in $(seq 50); do [ -s jigsim.out ] && break; sleep 0.1; done; " +
                             Cli() + " --port \"$(head -n1 jigsim.out)\" " + args +
                             "; status=$?; kill $pid; wait $pid; exit $status";
  return "sh -c '" + script + "'";
}

}  // namespace testsupport
