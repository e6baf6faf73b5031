// Reports of the keyboard scan: how they are put together from the pieces
// the jig sends, within a fixed buffer, and which contacts they name.
#include <gtest/gtest.h>

#include <string>

#include "modes/keyboard/KeyboardReport.h"

namespace {

using qjig::Contact;
using qjig::ReportAssembler;
using Progress = qjig::ReportAssembler::Progress;

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(KeyboardReport, DecodesTheContactsUpToTheFirstEnd) {
  struct Case { const char* name; std::string report; std::vector<Contact> contacts; };
  const Case cases[] = {
      {"nothing closed", "&", {}},
      {"two groups", "\x05\x07\x09>\x02\x03&", {{5, 7}, {5, 9}, {2, 3}}},
      {"the last contact", "\x1F\x20&", {{31, 32}}},
      {"after the end", "\x02\x03&\x04\x05&", {{2, 3}}},
      {"empty groups", ">\x02\x03>>\x04\x05&", {{2, 3}, {4, 5}}},
      {"a line alone", "\x06&", {}},
      {"B not above A", "\x07\x05\x07\x08&", {{7, 8}}},
      {"line 0", std::string("\x00\x05>\x01\x00\x02&", 7), {{1, 2}}},
      {"line 33", "\x05\x21\x06>\x21\x22&", {{5, 6}}},
      {"no end", "\x02\x03", {{2, 3}}},
  };
  for (const Case& c : cases) EXPECT_EQ(qjig::DecodeReport(Bytes(c.report)), c.contacts) << c.name;
}

TEST(KeyboardReport, IsCompleteWhenItsLastByteIsTheEnd) {
  ReportAssembler report;
  EXPECT_EQ(report.Append(Bytes("\x05\x07")), Progress::Incomplete);
  EXPECT_EQ(report.Append(Bytes("\x09>\x02")), Progress::Incomplete);
  EXPECT_EQ(report.Append(Bytes("\x03&")), Progress::Complete);
  EXPECT_EQ(std::string(report.Report().begin(), report.Report().end()), "\x05\x07\x09>\x02\x03&");
  report.Clear();
  EXPECT_EQ(report.Append(Bytes("&")), Progress::Complete);
  EXPECT_EQ(report.Report().size(), 1u);
}

TEST(KeyboardReport, NeverHoldsMoreThanItsBuffer) {
  const std::string almost(qjig::kKeyboardBufferSize - 1, '\x05');
  struct Case { const char* name; std::vector<std::string> pieces; Progress last; };
  const Case cases[] = {
      {"ends in the last byte", {almost, "&"}, Progress::Complete},
      {"fills the buffer without an end", {almost, "\x06"}, Progress::Incomplete},
      {"one byte too many", {almost, "\x06\x07"}, Progress::Overflow},
      {"a byte after a full buffer", {almost + "\x06", "&"}, Progress::Overflow},
  };
  for (const Case& c : cases) {
    ReportAssembler report;
    Progress progress = Progress::Incomplete;
    for (const std::string& piece : c.pieces) progress = report.Append(Bytes(piece));
    EXPECT_EQ(progress, c.last) << c.name;
    EXPECT_LE(report.Report().size(), qjig::kKeyboardBufferSize) << c.name;
  }
}

}  // namespace
