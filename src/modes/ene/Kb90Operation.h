#pragma once

#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Kb90Commands.h"
#include "modes/shared/OperationPort.h"
#include "modes/shared/OperationState.h"

namespace qjig {

// The KB90xx window's operation states besides "NONE".
inline constexpr std::string_view kStateReading = "Reading";
inline constexpr std::string_view kStateWriting = "Writing";

inline constexpr int kKb90GaugeMax = 32768;
inline constexpr int kKb90GaugeStep = kKb90GaugeMax / kKb90BlockCount;

struct Kb90Readiness {
  CheckResult check = CheckResult::NotFound;
  bool chipConnected = false;
  bool Ready() const { return check == CheckResult::Ready && chipConnected; }
};

// What READ and WRITE do before their file dialog: the programmer check,
// the chip connect, and the signal that tells the jig how that went. When
// ready, the link stays open for the operation; otherwise it is closed.
Kb90Readiness PrepareKb90Operation(JigLink& link, bool throughAdapter, const LineSink& memo,
                                   std::string& windowTag);

// The image a write sends: all 0xFF, then the file's first 131072 bytes over
// it, so a short file never leaves bytes of an earlier image behind. False
// when the file cannot be opened.
bool LoadKb90Image(const std::filesystem::path& file, std::vector<std::uint8_t>& image);

// What a KB90xx operation works on once its button handler has prepared it.
struct Kb90Job {
  JigLink& link;                 // open and checked
  const OperationState& state;   // "Reading" or "Writing"
  bool throughAdapter = false;   // fixed for the whole operation
  std::ofstream file;            // reading: the new file the blocks go to
  std::span<const std::uint8_t> image;  // writing: what the chip gets, 131072 bytes
};

// The body of the worker ReadThread_KB90: runs the operation the state names
// (a read, or a write and its verification) and finishes it: the result
// signal, the adapter off, the link closed, the time line, and the window
// idle again.
void RunKb90Operation(Kb90Job& job, OperationPort& window);

}  // namespace qjig
