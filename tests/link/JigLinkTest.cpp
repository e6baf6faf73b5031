// The link's bounded waits: each ends when its bytes come, when its bound
// passes, or at once when the jig is pulled out.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "link/JigLink.h"
#include "support/BenchDriver.h"

namespace {

using namespace qjig;
using namespace std::chrono_literals;
using testsupport::Backend;
using testsupport::BenchDriver;

constexpr auto kNoHang = 3s;  // generous: only proves the wait ended
const WaitBounds kShortBounds{200ms, 200ms, 200ms};

class JigLinkTest : public ::testing::TestWithParam<Backend> {
 protected:
  void OpenFirst(JigLink& link) {
    ASSERT_EQ(link.ListDevices(), FtStatus::Ok);
    ASSERT_EQ(link.Open(0), FtStatus::Ok);
    link.Configure(300);
  }
  ScopedWaitBounds bounds{kShortBounds};
};

TEST_P(JigLinkTest, WaitsSucceedWhenTheBytesCome) {
  BenchDriver bench(GetParam(), "[jig]\nfirmware = NPCE\ntag = ABCD\n");
  JigLink link(bench.Driver());
  OpenFirst(link);
  EXPECT_TRUE(link.SendByteAwaitReply(kVersionQuery));
  EXPECT_EQ(link.Buffer()[0], 'A');
  ASSERT_TRUE(link.WaitRxExactly(3));  // the rest of the tag
  EXPECT_TRUE(link.WaitTxEmpty());
  ASSERT_EQ(link.Read(3), FtStatus::Ok);
  EXPECT_EQ(std::string(link.Buffer().begin(), link.Buffer().begin() + 3), "BCD");
}

TEST_P(JigLinkTest, MoreBytesThanExpectedFailsAtOnce) {
  BenchDriver bench(GetParam(), "[jig]\nfirmware = NPCE\ntag = ABCD\n");
  JigLink link(bench.Driver());
  OpenFirst(link);
  ASSERT_EQ(link.WriteByte(kVersionQuery), FtStatus::Ok);
  ASSERT_TRUE(link.WaitRxAtLeast(4));
  EXPECT_FALSE(link.WaitRxExactly(2));
}

TEST_P(JigLinkTest, SilentJigEndsEveryWaitWithinItsBound) {
  BenchDriver bench(GetParam(), "[jig]\nfirmware = NPCE\nfault = silent\n");
  JigLink link(bench.Driver());
  OpenFirst(link);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(link.SendByteAwaitReply('v'));
  EXPECT_FALSE(link.SendSwitchAwaitReply('1'));
  EXPECT_FALSE(link.WaitRxAtLeast(1));
  EXPECT_FALSE(link.WaitRxExactly(257));
  EXPECT_EQ(link.QueryVersion(), 0u);
  EXPECT_LT(std::chrono::steady_clock::now() - start, kNoHang);
}

TEST_P(JigLinkTest, UnplugEndsABlockedWaitAndLaterCallsFail) {
  ScopedWaitBounds longBounds({30s, 30s, 30s});
  BenchDriver bench(GetParam(), "[jig]\nfirmware = NPCE\nfault = silent\n");
  JigLink link(bench.Driver());
  OpenFirst(link);
  const auto start = std::chrono::steady_clock::now();
  auto waiting = std::async(std::launch::async, [&link] { return link.WaitRxAtLeast(1); });
  std::this_thread::sleep_for(100ms);
  bench.Unplug(0);
  ASSERT_EQ(waiting.wait_for(kNoHang), std::future_status::ready);
  EXPECT_FALSE(waiting.get());
  EXPECT_FALSE(link.SendByteAwaitReply('v'));
  EXPECT_LT(std::chrono::steady_clock::now() - start, kNoHang);
}

TEST_P(JigLinkTest, JigThatFallsSilentMidwayEndsTheWait) {
  // Answers the first query, then nothing.
  BenchDriver bench(GetParam(), "[jig]\nfirmware = NPCE\nfault = silent-after 1\n");
  JigLink link(bench.Driver());
  OpenFirst(link);
  EXPECT_GT(link.QueryVersion(), 0u);
  EXPECT_EQ(link.QueryVersion(), 0u);
  EXPECT_FALSE(link.SendByteAwaitReply(kVersionQuery));
}

INSTANTIATE_TEST_SUITE_P(Backends, JigLinkTest, ::testing::Values(Backend::Sim, Backend::TtyOverPty),
                         [](const auto& info) { return testsupport::BackendName(info.param); });

}  // namespace
