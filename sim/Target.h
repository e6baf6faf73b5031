#pragma once

#include <string>

namespace sim {

// Something behind the jig's cable: a flash chip, an EEPROM, a keyboard
// matrix. Firmwares find the targets they drive by type.
class Target {
 public:
  virtual ~Target() = default;
  virtual std::string Kind() const = 0;
};

}  // namespace sim
