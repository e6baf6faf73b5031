#pragma once

#include "ExitCodes.h"
#include "link/CheckProgrammer.h"

namespace qjig::cli {

// The exit status of a window operation that its programmer check stopped.
inline int ExitForCheck(CheckResult check) {
  switch (check) {
    case CheckResult::NotFound: return kExitNoJig;
    case CheckResult::WrongFirmware: return kExitWrongFirmware;
    case CheckResult::Ready: return kExitFailure;
  }
  return kExitFailure;
}

}  // namespace qjig::cli
