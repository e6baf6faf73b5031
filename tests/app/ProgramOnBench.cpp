#include "ProgramOnBench.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPlainTextEdit>
#include <filesystem>

#include "app/TForm1.h"
#include "jigfw/TUPDATE_FORM.h"
#include "link/backends/SimDriver.h"

namespace testsupport {

namespace {

std::unique_ptr<qjig::FtdiDriver> DriverFor(std::string_view benchText) {
  sim::BenchBuild built = sim::LoadBenchText(benchText);
  EXPECT_FALSE(built.error) << sim::FormatBenchError(*built.error);
  return std::make_unique<qjig::SimDriver>(std::move(built.bench));
}

}  // namespace

ProgramOnBench::ProgramOnBench(std::string_view benchText)
    : context_(DriverFor(benchText), dialogs_, qjig::ImageFolders{{folder_.Path()}},
               folder_ / "Start_log.txt"),
      windows_(context_) {
  context_.windows.Form1->show();
}

void ProgramOnBench::Start(const QString& mode) {
  QComboBox& selector = *context_.windows.Form1->MAIN_SELECTOR;
  selector.setCurrentIndex(selector.findText(mode));
  context_.windows.Form1->MAIN_CONNECTClick();
}

QStringList ProgramOnBench::UpdateLines() const {
  const QString text = context_.windows.UPDATE_FORM->Memo_UPDATE->toPlainText();
  return text.isEmpty() ? QStringList() : text.split('\n');
}

std::string ProgramOnBench::StartLog() const {
  const auto path = folder_ / "Start_log.txt";
  return std::filesystem::exists(path) ? ReadFile(path) : std::string();
}

}  // namespace testsupport
