#pragma once

#include <string>
#include <vector>

#include "link/FtdiDriver.h"

namespace qjig::cli {

// query: Start's search for the jig; prints the version tag.
int RunQuery(FtdiDriver& driver, const std::vector<std::string>& args);
// check ROW: one window's programmer check; prints its message-box lines.
int RunCheck(FtdiDriver& driver, const std::vector<std::string>& args);

}  // namespace qjig::cli
