#include "ConnectionBase.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace qjig {

std::vector<std::string> ParseConnectionBase(std::string_view bytes) {
  std::vector<std::string> entries;
  std::string line;
  for (const char byte : bytes) {
    if (byte == '\r') continue;
    if (byte == '\n') {
      entries.push_back(std::move(line));
      line.clear();
      continue;
    }
    line += byte;
  }
  return entries;
}

std::optional<std::vector<std::string>> ReadConnectionBase(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseConnectionBase(bytes);
}

std::optional<std::string> KeyValueText(std::string_view entry, std::string_view key) {
  const std::size_t at = entry.find(key);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view rest = entry.substr(at + key.size());
  const std::size_t length = rest.size() >= 2 && rest[1] != ' ' ? 2 : std::min<std::size_t>(rest.size(), 1);
  return std::string(rest.substr(0, length));
}

std::optional<int> DecimalValue(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace qjig
