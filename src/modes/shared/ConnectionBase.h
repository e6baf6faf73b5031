#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qjig {

// A motherboard connection base is a plain text file, one motherboard a
// line, that gives the connector pin of each line the jig drives as keys
// ("KSO3=12") anywhere in free text. The bytes are shown as they are (the
// files are Windows-1251), so they stay bytes here.

// Every LF-ended line is one entry, in file order, empty ones included; CR
// bytes are dropped wherever they stand; text after the last LF is not an
// entry.
std::vector<std::string> ParseConnectionBase(std::string_view bytes);

// The base read from `path`; nothing when it cannot be opened.
std::optional<std::vector<std::string>> ReadConnectionBase(const std::filesystem::path& path);

// The value text of the first occurrence of `key` in `entry`: the character
// after the key, and the next one too when the entry goes on and it is not
// a blank. Nothing when the key is absent; empty when the key ends the entry.
std::optional<std::string> KeyValueText(std::string_view entry, std::string_view key);

// The number a text of decimal digits stands for; nothing for an empty text
// or one with anything but digits.
std::optional<int> DecimalValue(std::string_view text);

}  // namespace qjig
