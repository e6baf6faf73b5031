#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "link/backends/TtyDeviceScan.h"
#include "link/backends/TtyDriver.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using qjig::FtStatus;
using testsupport::TempDir;
using testsupport::WriteFile;

struct FakeTty {
  std::string name;
  std::optional<std::string> serial;
  std::string driver = "ftdi_sio";
};

// A sysfs tree shaped like the kernel's: each tty below its USB interface,
// below its USB device, below a root hub that has a serial number of its own.
class FakeSysfs {
 public:
  FakeSysfs() {
    const fs::path hub = Hub();
    fs::create_directories(hub);
    WriteFile(hub / "idVendor", "1d6b\n");
    WriteFile(hub / "serial", "0000:00:14.0\n");
    fs::create_directories(dir_ / "bus/usb-serial/drivers/ftdi_sio");
    WriteFile(dir_ / "bus/usb-serial/drivers/ftdi_sio/bind", "");
  }

  void Add(const FakeTty& tty) {
    const fs::path usb = Hub() / ("1-" + std::to_string(++ports_));
    const fs::path node = usb / (usb.filename().string() + ":1.0") / tty.name;
    fs::create_directories(node);
    WriteFile(usb / "idVendor", "0403\n");
    if (tty.serial) WriteFile(usb / "serial", *tty.serial + "\n");
    WriteFile(node / "latency_timer", "16\n");
    for (const fs::path& bus : {dir_ / "bus/usb-serial/devices", dir_ / "bus/usb-serial/drivers" / tty.driver}) {
      fs::create_directories(bus);
      fs::create_directory_symlink(node, bus / tty.name);
    }
  }

  const fs::path& Root() const { return dir_.Path(); }

 private:
  fs::path Hub() const { return dir_ / "devices/pci0000:00/0000:00:14.0/usb1"; }

  TempDir dir_;
  int ports_ = 0;
};

std::vector<std::string> Names(const std::vector<qjig::TtyDevice>& devices) {
  std::vector<std::string> names;
  for (const auto& device : devices) names.push_back(device.path.filename().string());
  return names;
}

struct OrderCase {
  const char* label;
  std::vector<FakeTty> ttys;
  std::vector<std::string> expected;
};

TEST(TtyDeviceScan, OrdersByUsbSerialNumber) {
  const std::vector<OrderCase> cases = {
      {"serial numbers, not kernel numbering", {{"ttyUSB0", "FT3"}, {"ttyUSB1", "FT1"}}, {"ttyUSB1", "ttyUSB0"}},
      // A chip without a serial number must not borrow the root hub's.
      {"no serial: the tty name", {{"ttyUSB0", std::nullopt}, {"ttyUSB1", "A1"}}, {"ttyUSB1", "ttyUSB0"}},
      {"same serial: the tty name", {{"ttyUSB5", "FT2"}, {"ttyUSB4", "FT2"}}, {"ttyUSB4", "ttyUSB5"}},
      {"other drivers ignored", {{"ttyUSB0", "A", "pl2303"}, {"ttyUSB1", "B"}}, {"ttyUSB1"}},
  };
  for (const OrderCase& c : cases) {
    SCOPED_TRACE(c.label);
    FakeSysfs sysfs;
    for (const FakeTty& tty : c.ttys) sysfs.Add(tty);
    const auto devices = qjig::ScanFtdiTtys(sysfs.Root(), "/devroot");
    EXPECT_EQ(Names(devices), c.expected);
    for (const auto& device : devices) {
      EXPECT_EQ(device.path.parent_path(), "/devroot");
      ASSERT_TRUE(device.latencyTimer);
      EXPECT_EQ(*device.latencyTimer,
                sysfs.Root() / "bus/usb-serial/devices" / device.path.filename() / "latency_timer");
    }
  }
}

TEST(TtyDeviceScan, MissingTreeFindsNothing) {
  TempDir empty;
  EXPECT_TRUE(qjig::ScanFtdiTtys(empty / "no-such-sysfs", "/dev").empty());
  EXPECT_FALSE(qjig::LatencyTimerPath(empty.Path(), "ttyUSB0"));
}

TEST(TtyDeviceScan, DeviceListFollowsPlugIns) {
  FakeSysfs sysfs;
  const auto driver = qjig::TtyDriver::Scanning({sysfs.Root(), "/dev"});
  std::uint32_t count = 99;
  ASSERT_EQ(driver->CreateDeviceInfoList(count), FtStatus::Ok);
  EXPECT_EQ(count, 0u);
  qjig::FtHandle handle = qjig::kNoHandle;
  EXPECT_EQ(driver->Open(0, handle), FtStatus::DeviceNotFound);

  sysfs.Add({"ttyUSB0", "FT1"});
  sysfs.Add({"ttyUSB1", "FT2"});
  ASSERT_EQ(driver->CreateDeviceInfoList(count), FtStatus::Ok);
  EXPECT_EQ(count, 2u);
}

// The scanned device opens through the fake /dev (a link to a pseudo-terminal)
// and its latency timer is written to the fake sysfs attribute.
TEST(TtyDeviceScan, LatencyTimerIsWrittenToSysfs) {
  FakeSysfs sysfs;
  sysfs.Add({"ttyUSB0", "FT1"});
  int master = -1;
  int slave = -1;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  TempDir dev;
  fs::create_symlink(ttyname(slave), dev / "ttyUSB0");

  const auto driver = qjig::TtyDriver::Scanning({sysfs.Root(), dev.Path()});
  qjig::FtHandle handle = qjig::kNoHandle;
  ASSERT_EQ(driver->Open(0, handle), FtStatus::Ok);
  EXPECT_EQ(driver->SetLatencyTimer(handle, 2), FtStatus::Ok);
  EXPECT_EQ(testsupport::ReadFile(sysfs.Root() / "bus/usb-serial/devices/ttyUSB0/latency_timer"), "2\n");
  EXPECT_EQ(driver->Close(handle), FtStatus::Ok);
  close(slave);
  close(master);
}

}  // namespace
