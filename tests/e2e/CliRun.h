#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// The build tree: named by ctest, or found from the test program's own
// place in it.
std::string BuildDir();
// The command-line program of this build.
std::string Cli();

struct CliRun {
  int status = -1;
  std::string out;
};

// Runs a shell command in `dir`; stdout is captured, stderr is left alone.
CliRun RunIn(const std::filesystem::path& dir, const std::string& command);

// A shell command that serves the bench file `bench` with jigsim on a
// pseudo-terminal, runs the CLI with `--port` on it and `args` (no single
// quotes), and exits with the CLI's status.
std::string CliOverJigsim(const std::string& bench, const std::string& args);

}  // namespace testsupport
