#include "Kb90Window.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPlainTextEdit>
#include <sstream>

#include "JigMcu.h"
#include "link/backends/SimDriver.h"
#include "link/backends/TraceDriver.h"
#include "modes/ene/TKB901X_forms.h"
#include "modes/shared/OperationFinish.h"
#include "support/QtWait.h"
#include "targets/Kb9012.h"

namespace testsupport {

namespace {

const std::string kTraceFile = "trace.txt";

std::unique_ptr<qjig::FtdiDriver> TracedBench(std::string_view benchText, const std::filesystem::path& trace,
                                              std::shared_ptr<sim::VirtualJig>& firstJig) {
  sim::BenchBuild built = sim::LoadBenchText(benchText);
  EXPECT_FALSE(built.error) << sim::FormatBenchError(*built.error);
  if (!built.bench.jigs.empty()) firstJig = built.bench.jigs.front();
  return std::make_unique<qjig::TraceDriver>(std::make_unique<qjig::SimDriver>(std::move(built.bench)), trace);
}

// The window reads its connection base from the current folder while it is
// created.
class ScopedCurrentPath {
 public:
  explicit ScopedCurrentPath(const std::filesystem::path& path) : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
  }
  ~ScopedCurrentPath() { std::filesystem::current_path(saved_); }

 private:
  std::filesystem::path saved_;
};

}  // namespace

Kb90Window::Kb90Window(std::string_view benchText, std::optional<std::string> connectionBase)
    : context_(TracedBench(benchText, folder_ / kTraceFile, jig_), dialogs_, qjig::ImageFolders{{folder_.Path()}},
               folder_ / "Start_log.txt") {
  if (connectionBase) WriteFile(folder_ / "MB connection ENE.txt", *connectionBase);
  ScopedCurrentPath here(folder_.Path());
  windows_ = std::make_unique<qjig::ProgramWindows>(context_);
}

Kb90Window::~Kb90Window() = default;

void Kb90Window::Choose(QComboBox& list, int entry) {
  list.setCurrentIndex(entry);
  emit list.activated(entry);
}

bool Kb90Window::WaitIdle() {
  return WaitUntil([this] { return Window().State().Is(qjig::kStateNone); });
}

QStringList Kb90Window::MemoLines() const {
  QStringList lines = context_.windows.KB901X_forms->KB901X_Memo->toPlainText().split('\n');
  const QString timePrefix = QString::fromUtf8(qjig::kCurrentTimePrefix.data(), qjig::kCurrentTimePrefix.size());
  for (QString& line : lines)
    if (line.startsWith(timePrefix)) line = timePrefix;
  return lines;
}

std::vector<std::string> Kb90Window::Trace() const {
  std::istringstream in(ReadFile(folder_ / kTraceFile));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Kb90Window::WritesSinceLastOpen() const {
  std::vector<std::string> writes;
  for (const std::string& line : Trace()) {
    if (line.starts_with("O ")) writes.clear();
    if (line.starts_with("W ")) writes.push_back(line.substr(2));
  }
  return writes;
}

bool Kb90Window::LinkClosed() const {
  const std::vector<std::string> trace = Trace();
  return !trace.empty() && trace.back() == "C";
}

std::vector<std::uint8_t> Kb90Window::Chip() {
  return jig_->Inspect([](sim::JigMcu& mcu) { return mcu.FindTarget<sim::Kb9012>()->Contents(); });
}

}  // namespace testsupport
