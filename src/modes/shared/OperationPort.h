#pragma once

#include <cstdint>
#include <string>

namespace qjig {

// Gauge colours as 0xRRGGBB, the shades the windows were designed with.
inline constexpr std::uint32_t kGaugeLime = 0x00FF00;
inline constexpr std::uint32_t kGaugeRed = 0xFF0000;
inline constexpr std::uint32_t kGaugeYellow = 0xFFFF00;

// What a mode window's worker asks of its window while an operation runs.
// The Qt side posts each call to the UI thread, so they happen there in the
// order the worker made them; the bench program and tests record them.
class OperationPort {
 public:
  virtual ~OperationPort() = default;

  virtual void AddLine(const std::string& line) = 0;
  virtual void SetGauge(int position) = 0;
  virtual void SetGaugeColour(std::uint32_t rgb) = 0;
  // The worker's last call: the operation state goes back to "NONE" and
  // every button of the window is usable again, in one step on the
  // window's side, so no button press can fall between the two.
  virtual void Finished(bool succeeded) = 0;
  // The program is closing: the operation ends on its failure path.
  virtual bool StopRequested() const = 0;
};

}  // namespace qjig
