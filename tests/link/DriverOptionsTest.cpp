#include <gtest/gtest.h>

#include "link/DriverOptions.h"
#include "support/TempDir.h"

namespace {

using namespace qjig;
using Backend = DriverOptions::Backend;

TEST(DriverOptions, TakesItsOptionsAndLeavesTheCommand) {
  struct Case {
    std::vector<std::string> args;
    Backend backend;
    std::vector<std::string> ports;
    std::string bench, trace;
    std::vector<std::string> rest;
  };
  const Case cases[] = {
      {{"query"}, Backend::Tty, {}, "", "", {"query"}},
      {{"--sim", "b.bench", "check", "kb90"}, Backend::Sim, {}, "b.bench", "", {"check", "kb90"}},
      {{"--port", "/dev/ttyUSB0", "./pty", "query"}, Backend::Tty, {"/dev/ttyUSB0", "./pty"}, "", "", {"query"}},
      {{"check", "--libftdi", "mec", "--trace", "t.txt"}, Backend::Libftdi, {}, "", "t.txt", {"check", "mec"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    DriverOptions options;
    EXPECT_EQ(TakeDriverOptions(args, options), "");
    EXPECT_EQ(options.backend, c.backend);
    EXPECT_EQ(options.ports, c.ports);
    EXPECT_EQ(options.benchPath, c.bench);
    EXPECT_EQ(options.tracePath, c.trace);
    EXPECT_EQ(args, c.rest);
  }
}

TEST(DriverOptions, RefusesIncompleteOrConflictingOptions) {
  const std::vector<std::vector<std::string>> cases = {
      {"query", "--sim"}, {"--port", "query"}, {"query", "--trace"}, {"--sim", "a", "--libftdi", "query"}};
  for (auto args : cases) {
    DriverOptions options;
    EXPECT_NE(TakeDriverOptions(args, options), "") << args.front();
  }
}

TEST(DriverOptions, BadBenchOrTraceFileIsAClearError) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "bad.bench", "[jig]\nfirmware = NOPE\n");
  DriverOptions sim{Backend::Sim, (dir / "bad.bench").string(), {}, ""};
  EXPECT_NE(MakeDriver(sim).error.find("line 2: unknown firmware 'NOPE'"), std::string::npos)
      << MakeDriver(sim).error;
  DriverOptions missing{Backend::Sim, (dir / "none.bench").string(), {}, ""};
  EXPECT_NE(MakeDriver(missing).error.find("cannot open"), std::string::npos);
  testsupport::WriteFile(dir / "good.bench", "[jig]\nfirmware = NPCE\n");
  DriverOptions trace{Backend::Sim, (dir / "good.bench").string(), {}, (dir / "no" / "t.txt").string()};
  EXPECT_EQ(MakeDriver(trace).driver, nullptr);
  trace.tracePath = (dir / "t.txt").string();
  EXPECT_NE(MakeDriver(trace).driver, nullptr);
}

}  // namespace

namespace {

TEST(DriverOptions, TheVirtualBenchStaysReachableUnderATrace) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "two.bench", "[jig]\nfirmware = NPCE\n[jig]\nfirmware = V42\n");
  for (const std::string trace : {"", "t.txt"}) {
    DriverOptions options{Backend::Sim, (dir / "two.bench").string(), {}, trace.empty() ? "" : (dir / trace).string()};
    const DriverChoice choice = MakeDriver(options);
    ASSERT_TRUE(choice.bench) << trace;
    EXPECT_EQ(choice.bench->jigs.size(), 2u);
    // The same jigs the driver talks to, not copies.
    choice.bench->jigs[0]->Unplug();
    std::uint32_t count = 0;
    choice.driver->CreateDeviceInfoList(count);
    EXPECT_EQ(count, 1u);
  }
  EXPECT_FALSE(MakeDriver(DriverOptions{Backend::Tty, "", {"/dev/null"}, ""}).bench);
}

}  // namespace
