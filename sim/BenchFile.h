#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "JigMcu.h"
#include "VirtualJig.h"

namespace sim {

// A bench file read into plain data; nothing is built while parsing.
struct TargetSpec {
  int line = 0;
  std::string kind;
  std::map<std::string, std::string> params;
};

struct JigSpec {
  int line = 0;
  std::string serial;
  std::string firmware;
  int firmwareLine = 0;
  std::optional<std::string> tag;  // the version reply, when not the firmware's own
  bool plugged = true;
  bool bootAtPowerUp = false;                             // boot = yes
  std::optional<std::chrono::milliseconds> resetPress;    // reset-press = N
  McuFaults mcuFaults;
  BridgeFaults bridgeFaults;
  std::vector<TargetSpec> targets;
};

struct BenchSpec {
  bool wireTime = false;
  std::vector<JigSpec> jigs;
};

struct BenchError {
  int line = 0;  // 0: not tied to a line
  std::string message;
};

struct BenchParse {
  BenchSpec bench;
  std::optional<BenchError> error;
};

BenchParse ParseBench(std::string_view text);

// Reads a quoted value with \r \n \t \\ \" and \xHH escapes, or a bare one.
std::optional<std::string> ParseBenchText(std::string_view value);

std::string FormatBenchError(const BenchError& error);

}  // namespace sim
