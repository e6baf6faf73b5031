#include "LibftdiDriver.h"

#include <ftdi.h>
#include <libusb.h>

#include <algorithm>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

namespace qjig {

namespace {

using Clock = std::chrono::steady_clock;

// The FTDI bridges the jig has been built with.
constexpr int kFtdiVendor = 0x0403;
constexpr int kFtdiProducts[] = {0x6001, 0x6010, 0x6011, 0x6014, 0x6015};
constexpr int kChunk = 512;

struct ListedDevice {
  std::string serial;
  std::uint8_t bus = 0;
  std::uint8_t address = 0;
};

// One open bridge. ftdi_read_data returns after every latency tick even when
// only the status bytes came, so reads loop against their own deadline and
// keep what arrived in `rx`; libftdi has no receive-queue count of its own.
struct Device {
  ftdi_context* ctx = nullptr;
  std::deque<std::uint8_t> rx;
  std::chrono::milliseconds readTimeout{0};
  std::mutex mutex;  // one thread per handle, but Close may race a blocked read

  ~Device() {
    if (ctx) {
      ftdi_usb_close(ctx);
      ftdi_free(ctx);
    }
  }

  // Takes whatever the chip has; false when the device is gone.
  bool Drain(int waitMs) {
    ctx->usb_read_timeout = std::max(waitMs, 1);
    std::uint8_t chunk[kChunk];
    const int n = ftdi_read_data(ctx, chunk, kChunk);
    if (n < 0) return false;
    rx.insert(rx.end(), chunk, chunk + n);
    return true;
  }

  // Until `count` bytes are held or the deadline passes.
  bool Fill(std::size_t count, Clock::time_point deadline) {
    while (rx.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) return true;
      if (!Drain(static_cast<int>(left.count()))) return false;
    }
    return true;
  }
};

FtStatus FromResult(int result) { return result < 0 ? FtStatus::IoError : FtStatus::Ok; }

class LibftdiDriver final : public FtdiDriver {
 public:
  FtStatus CreateDeviceInfoList(std::uint32_t& count) override {
    count = 0;
    ftdi_context* probe = ftdi_new();
    if (!probe) return FtStatus::InsufficientResources;
    std::vector<ListedDevice> found;
    for (const int product : kFtdiProducts) {
      ftdi_device_list* list = nullptr;
      if (ftdi_usb_find_all(probe, &list, kFtdiVendor, product) < 0) continue;
      for (ftdi_device_list* it = list; it; it = it->next) {
        char serial[64] = "";
        ftdi_usb_get_strings(probe, it->dev, nullptr, 0, nullptr, 0, serial, sizeof serial);
        found.push_back({serial, libusb_get_bus_number(it->dev), libusb_get_device_address(it->dev)});
      }
      ftdi_list_free(&list);
    }
    ftdi_free(probe);
    // Numbered by serial number so a jig keeps its number across replugs.
    std::sort(found.begin(), found.end(), [](const ListedDevice& a, const ListedDevice& b) {
      return std::tie(a.serial, a.bus, a.address) < std::tie(b.serial, b.bus, b.address);
    });
    std::lock_guard lock(mutex_);
    listed_ = std::move(found);
    count = static_cast<std::uint32_t>(listed_.size());
    return FtStatus::Ok;
  }

  FtStatus Open(int index, FtHandle& handle) override {
    handle = kNoHandle;
    ListedDevice where;
    {
      std::lock_guard lock(mutex_);
      if (index < 0 || static_cast<std::size_t>(index) >= listed_.size()) return FtStatus::DeviceNotFound;
      where = listed_[static_cast<std::size_t>(index)];
    }
    auto device = std::make_shared<Device>();
    device->ctx = ftdi_new();
    if (!device->ctx) return FtStatus::InsufficientResources;
    // Give the tty back to ftdi_sio when we close.
    device->ctx->module_detach_mode = AUTO_DETACH_REATACH_SIO_MODULE;
    if (ftdi_usb_open_bus_addr(device->ctx, where.bus, where.address) < 0) return FtStatus::DeviceNotOpened;
    std::lock_guard lock(mutex_);
    handle = nextHandle_++;
    open_.emplace(handle, std::move(device));
    return FtStatus::Ok;
  }

  FtStatus ResetDevice(FtHandle handle) override {
    return On(handle, [](Device& d) {
      d.rx.clear();
      return FromResult(ftdi_usb_reset(d.ctx));
    });
  }

  FtStatus SetBaudRate(FtHandle handle, std::uint32_t baud) override {
    return On(handle, [baud](Device& d) {
      return ftdi_set_baudrate(d.ctx, static_cast<int>(baud)) < 0 ? FtStatus::InvalidBaudRate : FtStatus::Ok;
    });
  }

  FtStatus SetDataCharacteristics(FtHandle handle, std::uint8_t wordLength, std::uint8_t stopBits,
                                  std::uint8_t parity) override {
    if ((wordLength != 7 && wordLength != 8) || stopBits > 2 || parity > 4) return FtStatus::InvalidParameter;
    return On(handle, [=](Device& d) {
      const auto bits = wordLength == 8 ? BITS_8 : BITS_7;
      const auto stop = stopBits == 0 ? STOP_BIT_1 : (stopBits == 1 ? STOP_BIT_15 : STOP_BIT_2);
      return FromResult(ftdi_set_line_property(d.ctx, bits, stop, static_cast<ftdi_parity_type>(parity)));
    });
  }

  FtStatus SetTimeouts(FtHandle handle, std::uint32_t readMs, std::uint32_t writeMs) override {
    return On(handle, [=](Device& d) {
      d.readTimeout = std::chrono::milliseconds(readMs);
      d.ctx->usb_write_timeout = static_cast<int>(std::max<std::uint32_t>(writeMs, 1));
      return FtStatus::Ok;
    });
  }

  FtStatus SetLatencyTimer(FtHandle handle, std::uint8_t ms) override {
    return On(handle, [ms](Device& d) { return FromResult(ftdi_set_latency_timer(d.ctx, ms)); });
  }

  FtStatus Write(FtHandle handle, const std::uint8_t* data, std::uint32_t count,
                 std::uint32_t& written) override {
    written = 0;
    return On(handle, [&](Device& d) {
      const int n = ftdi_write_data(d.ctx, data, static_cast<int>(count));
      if (n < 0) return FtStatus::IoError;
      written = static_cast<std::uint32_t>(n);
      return FtStatus::Ok;
    });
  }

  FtStatus Read(FtHandle handle, std::uint8_t* data, std::uint32_t count,
                std::uint32_t& received) override {
    received = 0;
    return On(handle, [&](Device& d) {
      if (!d.Fill(count, Clock::now() + d.readTimeout)) return FtStatus::IoError;
      received = static_cast<std::uint32_t>(std::min<std::size_t>(count, d.rx.size()));
      std::copy_n(d.rx.begin(), received, data);
      d.rx.erase(d.rx.begin(), d.rx.begin() + received);
      return FtStatus::Ok;
    });
  }

  FtStatus GetStatus(FtHandle handle, std::uint32_t& rxQueue, std::uint32_t& txQueue,
                     std::uint32_t& eventWord) override {
    rxQueue = txQueue = eventWord = 0;
    return On(handle, [&](Device& d) {
      if (!d.Drain(1)) return FtStatus::IoError;
      rxQueue = static_cast<std::uint32_t>(d.rx.size());
      return FtStatus::Ok;  // ftdi_write_data returns once the bytes are out
    });
  }

  FtStatus Purge(FtHandle handle, std::uint32_t mask) override {
    return On(handle, [mask](Device& d) {
      int result = 0;
      if (mask & kPurgeRx) {
        d.rx.clear();
        result = ftdi_tciflush(d.ctx);
      }
      if ((mask & kPurgeTx) && result >= 0) result = ftdi_tcoflush(d.ctx);
      return FromResult(result);
    });
  }

  FtStatus GetDriverVersion(FtHandle handle, std::uint32_t& version) override {
    return On(handle, [&](Device&) {
      const ftdi_version_info info = ftdi_get_library_version();
      version = static_cast<std::uint32_t>((info.major << 16) | (info.minor << 8) | info.micro);
      return FtStatus::Ok;
    });
  }

  FtStatus Close(FtHandle handle) override {
    std::shared_ptr<Device> device;
    {
      std::lock_guard lock(mutex_);
      const auto it = open_.find(handle);
      if (it == open_.end()) return FtStatus::InvalidHandle;
      device = std::move(it->second);
      open_.erase(it);
    }
    std::lock_guard deviceLock(device->mutex);
    return FtStatus::Ok;  // the context closes with the last reference
  }

  FtStatus WaitRxQueue(FtHandle handle, std::uint32_t minCount, std::chrono::milliseconds timeout,
                       std::uint32_t& rxQueue) override {
    rxQueue = 0;
    return On(handle, [&](Device& d) {
      if (!d.Fill(minCount, Clock::now() + timeout)) return FtStatus::IoError;
      rxQueue = static_cast<std::uint32_t>(d.rx.size());
      return FtStatus::Ok;
    });
  }

  FtStatus WaitTxEmpty(FtHandle handle, std::chrono::milliseconds, std::uint32_t& txQueue) override {
    txQueue = 0;
    return On(handle, [](Device&) { return FtStatus::Ok; });
  }

 private:
  template <typename Call>
  FtStatus On(FtHandle handle, Call call) {
    std::shared_ptr<Device> device;
    {
      std::lock_guard lock(mutex_);
      const auto it = open_.find(handle);
      if (it == open_.end()) return FtStatus::InvalidHandle;
      device = it->second;
    }
    std::lock_guard deviceLock(device->mutex);
    return call(*device);
  }

  std::mutex mutex_;
  std::vector<ListedDevice> listed_;
  std::map<FtHandle, std::shared_ptr<Device>> open_;
  FtHandle nextHandle_ = 1;
};

}  // namespace

std::unique_ptr<FtdiDriver> MakeLibftdiDriver() { return std::make_unique<LibftdiDriver>(); }

}  // namespace qjig
