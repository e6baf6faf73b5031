#pragma once

#include <memory>

#include "link/FtdiDriver.h"

namespace qjig {

// The driver over libftdi1 and libusb, for machines where the ftdi_sio tty
// is not wanted. ftdi.h stays inside the .cpp: its unscoped enumerators
// (NONE, ODD, ...) would leak into every includer.
std::unique_ptr<FtdiDriver> MakeLibftdiDriver();

}  // namespace qjig
