#include <gtest/gtest.h>

#include "VirtualBench.h"
#include "link/JigLink.h"
#include "link/backends/SimDriver.h"
#include "link/backends/TraceDriver.h"
#include "support/TempDir.h"

namespace {

using namespace qjig;

TEST(TraceDriver, RecordsOpensBaudsPurgesAndBytesExactly) {
  testsupport::TempDir dir;
  const auto file = dir / "trace.txt";
  sim::BenchBuild built = sim::LoadBenchText(
      "[jig]\nfirmware = NPCE\nfault = silent\n[jig]\nfirmware = NPCE\ntag = \"N1\\x0a\"\n");
  ASSERT_FALSE(built.error);
  {
    TraceDriver driver(std::make_unique<SimDriver>(built.bench), file);
    JigLink link(driver);
    ASSERT_EQ(link.ListDevices(), FtStatus::Ok);
    ASSERT_EQ(link.Open(1), FtStatus::Ok);
    link.Configure(300);
    EXPECT_EQ(link.QueryVersion(), 3u);
    link.Purge();
    link.SetBaud(kBootloaderBaud);
    const std::uint8_t record[] = {':', 0x00, 0xFF};
    link.Write(record, sizeof record);
    link.Read(1);  // nothing comes back at the wrong rate: no line
    link.Close();
    EXPECT_EQ(link.Open(0), FtStatus::Ok);
    EXPECT_EQ(link.Open(7), FtStatus::DeviceNotFound);  // failed opens leave no line
  }
  EXPECT_EQ(testsupport::ReadFile(file),
            "O 1\nB 921600\nW 42\nR 4E 31 0A\nP\nB 115200\nW 3A 00 FF\nC\nO 0\nC\n");
}

}  // namespace
