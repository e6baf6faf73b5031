// make_sample_images FOLDER
//
// Writes the jig firmware images the program ships with into FOLDER: an
// Intel HEX image for each M88 application and the version-3 M328 image.
// Their content is synthetic - a fill that is the same on every build -
// around the tag by which the bootloaders know what they started.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "ApplicationFlash.h"
#include "firmwares/FirmwareFamilies.h"
#include "firmwares/HexRecord.h"
#include "firmwares/ImageTag.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kErased = 0xFF;
constexpr std::size_t kTagAt = 0x0100;

// The images end at different addresses, one of them at the last byte of
// the M88's application area, and one leaves records out in its middle, as
// real images do where the code has nothing.
struct HexImage {
  std::string_view file;
  std::string_view family;
  std::size_t lastAddress;  // the last byte that is not 0xFF
  std::size_t gapStart = 0;
  std::size_t gapEnd = 0;  // one past the gap's last byte
};

constexpr HexImage kHexImages[] = {
    {"ENE_EDID_KB.hex", "ENE_EDID_KB", 0x17FF},
    {"M88_jtag.hex", "V42", 0x0FEF},
    {"ITE2_PROJ_M88.hex", "ITE2", 0x1433, 0x0800, 0x0A40},
    {"M88_NPCE288.hex", "NPCE", 0x0B5A},
};

constexpr std::string_view kVersion3File = "M328_EPM240_v19.vss";
constexpr std::string_view kVersion3Family = "M328_EPM240";
constexpr std::size_t kVersion3Size = 2987;  // not a whole number of 128-byte blocks

// Seeded by the file name, so each image has its own fill and every build
// writes the same bytes.
Bytes Fill(std::string_view name, std::size_t size) {
  std::uint32_t seed = 2166136261u;
  for (const char c : name) seed = (seed ^ static_cast<std::uint8_t>(c)) * 16777619u;
  std::minstd_rand engine(seed);
  Bytes bytes(size);
  for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(engine() >> 8);
  return bytes;
}

void PutTag(std::string_view family, Bytes& image) {
  const std::string tag = sim::ImageTagBytes(sim::FindFirmwareFamily(family)->defaultTag);
  std::copy(tag.begin(), tag.end(), image.begin() + kTagAt);
}

Bytes M88Image(const HexImage& made) {
  Bytes image(sim::ApplicationFlashSize(sim::McuModel::M88), kErased);
  const Bytes fill = Fill(made.file, made.lastAddress + 1);
  std::copy(fill.begin(), fill.end(), image.begin());
  std::fill(image.begin() + made.gapStart, image.begin() + made.gapEnd, kErased);
  PutTag(made.family, image);
  if (image[made.lastAddress] == kErased) image[made.lastAddress] = 0x00;
  return image;
}

// Data records for every 16 bytes that hold something, CR LF after each.
std::string HexText(const Bytes& image, std::size_t lastAddress) {
  std::string text;
  for (std::size_t address = 0; address <= lastAddress; address += sim::kRecordDataSize) {
    sim::DataRecord record;
    record.address = static_cast<std::uint16_t>(address);
    std::copy_n(image.begin() + address, sim::kRecordDataSize, record.data.begin());
    if (std::all_of(record.data.begin(), record.data.end(), [](std::uint8_t b) { return b == kErased; }))
      continue;
    text += sim::FormatDataRecord(record) + "\r\n";
  }
  return text + std::string(sim::kEndRecord) + "\r\n";
}

bool WriteFile(const std::filesystem::path& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  out.close();
  if (!out) std::cerr << "make_sample_images: cannot write " << path.string() << '\n';
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_sample_images FOLDER\n";
    return 1;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);

  bool written = true;
  for (const HexImage& made : kHexImages)
    written = WriteFile(folder / made.file, HexText(M88Image(made), made.lastAddress)) && written;

  Bytes version3 = Fill(kVersion3File, kVersion3Size);
  PutTag(kVersion3Family, version3);
  written = WriteFile(folder / kVersion3File, std::string(version3.begin(), version3.end())) && written;
  return written ? 0 : 1;
}
