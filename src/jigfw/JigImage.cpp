#include "JigImage.h"

#include <algorithm>
#include <fstream>

#include "link/TextHelpers.h"

namespace qjig {

namespace {

constexpr std::uint8_t kDataRecord = 0x00;
constexpr std::uint8_t kEndRecord = 0x01;

// Walks a record field by field. Every field must lie inside the text: a
// record cut short is a wrong file, not a read past its end.
class RecordReader {
 public:
  RecordReader(std::string_view text, std::size_t pos) : text_(text), pos_(pos) {}

  bool Byte(std::uint8_t& value) {
    if (pos_ + 2 > text_.size()) return false;
    value = HexPairToByte(text_[pos_], text_[pos_ + 1]);
    pos_ += 2;
    sum_ = static_cast<std::uint8_t>(sum_ + value);
    return true;
  }
  std::size_t Pos() const { return pos_; }
  std::uint8_t Sum() const { return sum_; }

 private:
  std::string_view text_;
  std::size_t pos_;
  std::uint8_t sum_ = 0;
};

}  // namespace

bool ParseJigImageText(std::string_view text, JigImage& image) {
  image.bytes.fill(0xFF);
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] != ':') return false;
    RecordReader record(text, pos + 1);
    std::uint8_t length = 0, addressHigh = 0, addressLow = 0, type = 0, checksum = 0;
    if (!record.Byte(length) || !record.Byte(addressHigh) || !record.Byte(addressLow) ||
        !record.Byte(type))
      return false;
    if (type == kDataRecord) {
      const std::size_t address = addressHigh * 256u + addressLow;
      for (std::size_t i = 0; i < length; ++i) {
        std::uint8_t value = 0;
        // Data the M88's flash cannot hold makes the file wrong.
        if (!record.Byte(value) || address + i >= kJigImageSize) return false;
        image.bytes[address + i] = value;
      }
      if (!record.Byte(checksum)) return false;
      pos = record.Pos() + 2;  // CR LF, not looked at
    } else if (type == kEndRecord) {
      if (!record.Byte(checksum)) return false;
      pos = text.size();
    } else {
      return false;  // segment and linear address records, start addresses
    }
    if (record.Sum() != 0) return false;
  }
  const auto last = std::find_if(image.bytes.rbegin(), image.bytes.rend(),
                                 [](std::uint8_t b) { return b != 0xFF; });
  // An image with nothing in it would upload as a blank application.
  if (last == image.bytes.rend()) return false;
  image.lastAddress = static_cast<std::size_t>(image.bytes.rend() - last) - 1;
  return true;
}

ImageLoad LoadJigImage(const std::filesystem::path& path, JigImage& image,
                       const std::function<void(const std::string&)>& line) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    line("Not found .hex file -> " + path.string() + " for M88 in the program folder ");
    return ImageLoad::FileMissing;
  }
  std::string text(kJigImageTextMax, '\0');
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(file.gcount()));
  line("UPGRADE file loaded to buffer (" + path.string() + ")");
  line("Bytes read from file " + DecimalText(static_cast<long long>(text.size())));
  if (!ParseJigImageText(text, image)) {
    line("Wrong file format!");
    return ImageLoad::WrongFormat;
  }
  line("HEX position_buff " + HexText(image.lastAddress, 4));
  return ImageLoad::Loaded;
}

}  // namespace qjig
