#include "JigHost.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "firmwares/HexRecord.h"
#include "firmwares/ImageTag.h"

namespace simtest {

std::shared_ptr<sim::VirtualJig> BuildJig(const std::string& bench) {
  sim::BenchBuild built = sim::LoadBenchText(bench);
  EXPECT_FALSE(built.error) << sim::FormatBenchError(*built.error);
  return built.bench.jigs.at(0);
}

JigHost::JigHost(sim::VirtualJig& jig, std::uint32_t baud) : jig_(jig) {
  EXPECT_EQ(jig_.Open(session_), sim::PortResult::Ok);
  jig_.SetBaud(session_, baud);
  jig_.SetTimeouts(session_, 0, 0);
}

JigHost::~JigHost() { jig_.Close(session_); }

void JigHost::SetBaud(std::uint32_t baud) { jig_.SetBaud(session_, baud); }

std::string JigHost::Ask(std::string_view bytes) {
  std::uint32_t written = 0;
  jig_.Write(session_, reinterpret_cast<const std::uint8_t*>(bytes.data()),
             static_cast<std::uint32_t>(bytes.size()), written);
  std::string reply;
  std::uint8_t chunk[256];
  for (std::uint32_t got = 1; got != 0;) {
    jig_.Read(session_, chunk, sizeof chunk, got);
    reply.append(chunk, chunk + got);
  }
  return reply;
}

sim::Bytes ImageWithTag(std::string_view tag, std::size_t at, std::size_t size) {
  sim::Bytes image(size, 0xFF);
  const std::string marked = sim::ImageTagBytes(tag);
  std::copy(marked.begin(), marked.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
  return image;
}

std::vector<std::string> RecordsOf(const sim::Bytes& image) {
  std::vector<std::string> records;
  for (std::size_t address = 0; address < image.size(); address += sim::kRecordDataSize) {
    sim::DataRecord record;
    record.address = static_cast<std::uint16_t>(address);
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(address), sim::kRecordDataSize,
                record.data.begin());
    records.push_back(sim::FormatDataRecord(record));
  }
  return records;
}

void ProgramM88(JigHost& host, const std::vector<std::string>& records) {
  host.SetBaud(kM88BootBaud);
  EXPECT_EQ(host.Ask("U"), kM88Banner);
  EXPECT_GE(host.Ask("pf\n").size(), 7u);
  for (const std::string& record : records) EXPECT_EQ(host.Ask(record + "\n"), "OK\x11") << record;
  EXPECT_GE(host.Ask(std::string(sim::kEndRecord) + "\n").size(), 7u);
  EXPECT_GE(host.Ask("g\n").size(), 5u);
}

void UploadM328(JigHost& host, const sim::Bytes& image) {
  const std::string sync = host.Ask("+");
  ASSERT_GE(sync.size(), 7u);
  EXPECT_EQ(sync[0], 'V');
  EXPECT_EQ(sync[2], 'S');
  for (std::size_t at = 0; at < image.size(); at += 128) {
    std::string block(128, '\xFF');
    std::copy(image.begin() + static_cast<std::ptrdiff_t>(at),
              image.begin() + static_cast<std::ptrdiff_t>(std::min(image.size(), at + 128)), block.begin());
    ASSERT_EQ(host.Ask("W"), "G") << "block at " << at;
    ASSERT_EQ(host.Ask(block), "+") << "block at " << at;
  }
  EXPECT_EQ(host.Ask("X"), "");
}

}  // namespace simtest
