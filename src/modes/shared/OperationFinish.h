#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "OperationPort.h"
#include "link/JigLink.h"

namespace qjig {

// The bytes that tell the jig how an operation went; it beeps accordingly.
inline constexpr std::uint8_t kSignalSuccess = 'I';
inline constexpr std::uint8_t kSignalFailure = 'O';

inline constexpr std::string_view kCurrentTimePrefix = "Current time  ";

// Sends the success or failure signal and awaits the jig's one reply byte.
bool SendResultSignal(JigLink& link, bool succeeded);

// "Current time  " and the time of day, the line that brackets every
// operation in the message box.
std::string CurrentTimeLine();

// How every operation of a mode window ends, once its own last commands are
// sent: the link closed, the time line, and the window idle again.
void FinishOperation(JigLink& link, OperationPort& window, bool succeeded);

}  // namespace qjig
