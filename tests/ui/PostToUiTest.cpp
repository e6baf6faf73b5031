#include <gtest/gtest.h>

#include <QThread>
#include <memory>
#include <thread>
#include <vector>

#include "support/QtWait.h"
#include "ui/PostToUi.h"

namespace {

using qjig::ui::PostToUi;

TEST(PostToUiTest, CallsFromAWorkerRunOnTheUiThreadInTheOrderPosted) {
  QObject windowA, windowB;
  std::vector<int> seen;
  bool allOnUiThread = true;
  QThread* const uiThread = QThread::currentThread();
  std::thread worker([&] {
    for (int i = 0; i < 1000; ++i)
      PostToUi(i % 2 ? &windowA : &windowB, [&, i] {
        allOnUiThread = allOnUiThread && QThread::currentThread() == uiThread;
        seen.push_back(i);
      });
  });
  worker.join();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return seen.size() == 1000; }));
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(seen[i], i);
  EXPECT_TRUE(allOnUiThread);
}

TEST(PostToUiTest, ACallForAWindowThatIsGoneIsDropped) {
  auto window = std::make_unique<QObject>();
  QObject witness;
  bool ran = false, after = false;
  PostToUi(window.get(), [&] { ran = true; });
  PostToUi(&witness, [&] { after = true; });
  window.reset();
  ASSERT_TRUE(testsupport::WaitUntil([&] { return after; }));
  EXPECT_FALSE(ran);
}

}  // namespace
