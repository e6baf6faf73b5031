// The sample firmware images the build writes next to the programs: well
// formed, and each one runs its own firmware once a bootloader took it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "JigHost.h"

namespace {

using namespace simtest;

const std::filesystem::path kFolder = SAMPLE_IMAGES_DIR;

std::string ReadImageFile(const std::string& name) {
  std::ifstream in(kFolder / name, std::ios::binary);
  EXPECT_TRUE(in) << (kFolder / name);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int UpperHexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A HEX file read by the rules on their own: CR LF after every line, data
// records of 16 bytes in upper-case hex whose bytes add up to zero, at
// rising addresses, and the end record last.
struct HexFile {
  std::vector<std::string> records;
  std::map<std::size_t, std::uint8_t> bytes;
  bool gap = false;  // records were left out between the first and the last
};

HexFile ReadHexFile(const std::string& name) {
  const std::string text = ReadImageFile(name);
  EXPECT_TRUE(text.ends_with(":00000001FF\r\n"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), std::count(text.begin(), text.end(), '\n'));
  HexFile file;
  std::size_t expected = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_TRUE(line.ends_with('\r')) << line;
    line = line.substr(0, line.find('\r'));
    if (line == ":00000001FF") break;
    std::vector<std::uint8_t> values;
    for (std::size_t i = 1; i + 1 < line.size(); i += 2) {
      const int high = UpperHexDigit(line[i]);
      const int low = UpperHexDigit(line[i + 1]);
      EXPECT_TRUE(high >= 0 && low >= 0) << line;
      values.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    if (line.size() != 43 || line[0] != ':') {
      ADD_FAILURE() << "not a 16-byte data record: " << line;
      continue;
    }
    std::uint8_t sum = 0;
    for (const std::uint8_t v : values) sum = static_cast<std::uint8_t>(sum + v);
    EXPECT_EQ(sum, 0) << line;
    EXPECT_EQ(values[0], 0x10) << line;
    EXPECT_EQ(values[3], 0x00) << line;
    const std::size_t address = static_cast<std::size_t>(values[1] << 8 | values[2]);
    EXPECT_EQ(address % 16, 0u) << line;
    EXPECT_GE(address, expected) << line;
    file.gap = file.gap || address > expected;
    expected = address + 16;
    for (std::size_t i = 0; i < 16; ++i) file.bytes[address + i] = values[4 + i];
    file.records.push_back(line);
  }
  EXPECT_EQ(lines.peek(), EOF) << "the end record comes last";
  return file;
}

std::size_t LastWritten(const HexFile& file) {
  std::size_t last = 0;
  for (const auto& [address, value] : file.bytes)
    if (value != 0xFF) last = address;
  return last;
}

struct HexImage { const char* file; const char* tag; };
const HexImage kHexImages[] = {
    {"ENE_EDID_KB.hex", "ENE_EDID_KB_V3.7"},
    {"M88_jtag.hex", "M88_JTAG_MEC_V42"},
    {"ITE2_PROJ_M88.hex", "ITE2_PROJ_M88_V1.9"},
    {"M88_NPCE288.hex", "M88_NPCE288_V2.4"},
};

TEST(SampleImages, HexFilesAreWellFormedAndEndApart) {
  std::set<std::size_t> ends;
  bool someGap = false;
  for (const HexImage& image : kHexImages) {
    SCOPED_TRACE(image.file);
    const HexFile file = ReadHexFile(image.file);
    ASSERT_FALSE(file.records.empty());
    EXPECT_LE(LastWritten(file), 0x17FFu);
    ends.insert(LastWritten(file));
    someGap = someGap || file.gap;
  }
  EXPECT_EQ(ends.size(), std::size(kHexImages));
  EXPECT_EQ(*ends.rbegin(), 0x17FFu);  // one fills the application area to its last byte
  EXPECT_TRUE(someGap);
}

TEST(SampleImages, TheM88BootloaderRunsEachImage) {
  for (const HexImage& image : kHexImages) {
    SCOPED_TRACE(image.file);
    auto jig = BuildJig("[jig]\nfirmware = NPCE\ntag = OLD\n");
    JigHost host(*jig);
    ASSERT_EQ(host.Ask("?"), "!");
    ProgramM88(host, ReadHexFile(image.file).records);
    EXPECT_EQ(jig->RunningFirmware(), "application");
    EXPECT_EQ(jig->FirmwareTag(), image.tag);
  }
}

TEST(SampleImages, TheM328BootloaderRunsTheVersion3Image) {
  const std::string text = ReadImageFile("M328_EPM240_v19.vss");
  EXPECT_NE(text.size() % 128, 0u);
  auto jig = BuildJig("[jig]\nfirmware = M328_EPM240\ntag = M328_EPM240_v18\n");
  JigHost host(*jig);
  jig->PressReset();
  UploadM328(host, sim::Bytes(text.begin(), text.end()));
  EXPECT_EQ(jig->RunningFirmware(), "application");
  EXPECT_EQ(jig->FirmwareTag(), "M328_EPM240_v19");
}

}  // namespace
