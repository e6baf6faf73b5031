#include "BenchFile.h"

#include <charconv>
#include <sstream>
#include <utility>

namespace sim {

namespace {

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

// A '#' starts a comment unless it stands inside a quoted value.
std::string_view StripComment(std::string_view line) {
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\' && quoted) {
      ++i;
    } else if (line[i] == '"') {
      quoted = !quoted;
    } else if (line[i] == '#' && !quoted) {
      return line.substr(0, i);
    }
  }
  return line;
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

// The first word and what follows it, trimmed.
std::pair<std::string_view, std::string_view> SplitFirstWord(std::string_view s) {
  const auto end = s.find_first_of(" \t");
  if (end == std::string_view::npos) return {s, {}};
  return {s.substr(0, end), Trim(s.substr(end))};
}

std::optional<std::uint64_t> ParseCount(std::string_view s) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

std::optional<bool> ParseSwitch(std::string_view s) {
  if (s == "on" || s == "yes") return true;
  if (s == "off" || s == "no") return false;
  return std::nullopt;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A fault that takes one number.
struct CountedFault {
  std::string_view kind;
  std::string_view number;  // what the number counts, for the error text
  void (*apply)(JigSpec& jig, std::uint64_t n);
};

constexpr CountedFault kCountedFaults[] = {
    {"silent-after", "a byte count", [](JigSpec& j, std::uint64_t n) { j.mcuFaults.silentAfter = n; }},
    {"unplug-after", "a byte count", [](JigSpec& j, std::uint64_t n) { j.bridgeFaults.unplugAfter = n; }},
    {"bad-sync", "a reply count", [](JigSpec& j, std::uint64_t n) { j.mcuFaults.badSyncs = n; }},
    {"refuse-block-request", "a block number",
     [](JigSpec& j, std::uint64_t n) { j.mcuFaults.refusedBlockRequests.insert(n); }},
    {"refuse-block", "a block number", [](JigSpec& j, std::uint64_t n) { j.mcuFaults.refusedBlocks.insert(n); }},
};

// record-reply K TEXT: the text may be quoted and hold blanks.
std::string ApplyRecordReply(std::string_view arguments, JigSpec& jig) {
  const auto [number, rest] = SplitFirstWord(arguments);
  const auto record = ParseCount(number);
  const auto text = rest.empty() ? std::nullopt : ParseBenchText(rest);
  if (!record || !text) return "fault record-reply needs a record number and a text";
  jig.mcuFaults.recordReplies[*record] = *text;
  return "";
}

// Returns an error text, empty when the fault was taken.
std::string ApplyFault(std::string_view value, JigSpec& jig) {
  const auto words = Words(value);
  if (words.empty()) return "fault needs a kind";
  const std::string_view kind = words[0];
  if (kind == "record-reply") return ApplyRecordReply(SplitFirstWord(value).second, jig);
  if (words.size() == 1) {
    if (kind == "silent") return jig.mcuFaults.silent = true, "";
    if (kind == "open-fails") return jig.bridgeFaults.openFails = true, "";
    if (kind == "no-boot-answer") return jig.mcuFaults.noBootAnswer = true, "";
    if (kind == "bad-banner") return jig.mcuFaults.badBanner = true, "";
  }
  if (words.size() == 2)
    for (const CountedFault& fault : kCountedFaults) {
      if (kind != fault.kind) continue;
      const auto n = ParseCount(words[1]);
      if (!n) return "fault " + std::string(kind) + " needs " + std::string(fault.number);
      fault.apply(jig, *n);
      return "";
    }
  return "unknown fault '" + std::string(value) + "'";
}

std::string ApplyTarget(std::string_view value, int lineNo, JigSpec& jig) {
  const auto words = Words(value);
  if (words.empty()) return "target needs a kind";
  TargetSpec target{lineNo, std::string(words[0]), {}};
  for (std::size_t i = 1; i < words.size(); ++i) {
    const auto eq = words[i].find('=');
    if (eq == std::string_view::npos || eq == 0)
      return "target parameter '" + std::string(words[i]) + "' is not key=value";
    const std::string key(words[i].substr(0, eq));
    // A second value would silently replace the first.
    if (!target.params.emplace(key, words[i].substr(eq + 1)).second)
      return "target parameter '" + key + "' given twice";
  }
  jig.targets.push_back(std::move(target));
  return "";
}

std::string ApplyJigKey(std::string_view key, std::string_view value, int lineNo, JigSpec& jig) {
  if (key == "serial") return jig.serial = value, "";
  if (key == "firmware") {
    jig.firmwareLine = lineNo;
    return jig.firmware = value, "";
  }
  if (key == "tag") {
    const auto text = ParseBenchText(value);
    if (!text) return "tag is not a valid text";
    return jig.tag = *text, "";
  }
  if (key == "plugged") {
    const auto on = ParseSwitch(value);
    if (!on) return "plugged must be yes or no";
    return jig.plugged = *on, "";
  }
  if (key == "boot") {
    const auto on = ParseSwitch(value);
    if (!on) return "boot must be yes or no";
    return jig.bootAtPowerUp = *on, "";
  }
  if (key == "reset-press") {
    const auto ms = ParseCount(value);
    if (!ms) return "reset-press must be a number of milliseconds";
    return jig.resetPress = std::chrono::milliseconds(*ms), "";
  }
  if (key == "fault") return ApplyFault(value, jig);
  if (key == "target") return ApplyTarget(value, lineNo, jig);
  return "unknown jig key '" + std::string(key) + "'";
}

std::string ApplyBenchKey(std::string_view key, std::string_view value, BenchSpec& bench) {
  if (key == "wire-time") {
    const auto on = ParseSwitch(value);
    if (!on) return "wire-time must be on or off";
    return bench.wireTime = *on, "";
  }
  return "unknown bench key '" + std::string(key) + "' (jig keys go after [jig])";
}

}  // namespace

std::optional<std::string> ParseBenchText(std::string_view value) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
  const std::string_view inner = value.substr(1, value.size() - 2);
  std::string text;
  for (std::size_t i = 0; i < inner.size(); ++i) {
    const char c = inner[i];
    if (c == '"') return std::nullopt;
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++i >= inner.size()) return std::nullopt;
    switch (inner[i]) {
      case 'r': text += '\r'; break;
      case 'n': text += '\n'; break;
      case 't': text += '\t'; break;
      case '\\': text += '\\'; break;
      case '"': text += '"'; break;
      case 'x': {
        if (i + 2 >= inner.size()) return std::nullopt;
        const int high = HexValue(inner[i + 1]);
        const int low = HexValue(inner[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        text += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return text;
}

BenchParse ParseBench(std::string_view text) {
  BenchParse result;
  BenchSpec& bench = result.bench;
  JigSpec* jig = nullptr;
  std::istringstream in{std::string(text)};
  std::string raw;
  int lineNo = 0;
  while (std::getline(in, raw)) {
    ++lineNo;
    const std::string_view line = Trim(StripComment(raw));
    if (line.empty()) continue;
    if (line == "[jig]") {
      jig = &bench.jigs.emplace_back();
      jig->line = lineNo;
      jig->serial = "QXJIG" + std::to_string(bench.jigs.size() - 1);
      continue;
    }
    if (line.front() == '[') {
      result.error = BenchError{lineNo, "unknown section " + std::string(line)};
      return result;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
      result.error = BenchError{lineNo, "expected key = value"};
      return result;
    }
    const std::string_view key = Trim(line.substr(0, eq));
    const std::string_view value = Trim(line.substr(eq + 1));
    const std::string problem =
        jig ? ApplyJigKey(key, value, lineNo, *jig) : ApplyBenchKey(key, value, bench);
    if (!problem.empty()) {
      result.error = BenchError{lineNo, problem};
      return result;
    }
  }
  for (const JigSpec& j : bench.jigs)
    if (j.firmware.empty()) {
      result.error = BenchError{j.line, "jig has no firmware"};
      return result;
    }
  return result;
}

std::string FormatBenchError(const BenchError& error) {
  if (error.line == 0) return error.message;
  return "line " + std::to_string(error.line) + ": " + error.message;
}

}  // namespace sim
