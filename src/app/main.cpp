// quilmarex-jig: the desktop program.
#include <QApplication>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "AppContext.h"
#include "ProgramWindows.h"
#include "TForm1.h"
#include "VirtualBenchWindow.h"
#include "link/DriverOptions.h"
#include "link/StartLog.h"
#include "ui/QtDialogs.h"

namespace {

constexpr int kExitFailure = 1;

void PrintUsage(std::ostream& out) {
  out << "usage: quilmarex-jig [driver options]\n\ndriver options:\n" << qjig::kDriverOptionsHelp;
}

// The bench goes right under the main window, where it hides nothing.
void PlaceUnder(QWidget& window, const QWidget& above) {
  window.move(above.x(), above.frameGeometry().bottom() + 24);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qjig;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    PrintUsage(std::cout);
    return 0;
  }
  DriverOptions options;
  std::string error = TakeDriverOptions(args, options);
  if (error.empty() && !args.empty()) error = "unexpected argument '" + args.front() + "'";
  if (!error.empty()) {
    std::cerr << "quilmarex-jig: " << error << '\n';
    PrintUsage(std::cerr);
    return kExitFailure;
  }
  DriverChoice choice = MakeDriver(options);
  if (!choice.driver) {
    std::cerr << "quilmarex-jig: " << choice.error << '\n';
    return kExitFailure;
  }

  // Every argument is ours, so a bad one is reported before Qt looks for a
  // display; Qt's own settings come from its environment variables.
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName("Quilmarex_JIG");

  ui::QtDialogs dialogs;
  AppContext context(std::move(choice.driver), dialogs, ProgramImageFolders(), std::string(kStartLogFile));
  context.simBench = std::move(choice.bench);
  ProgramWindows windows(context);
  context.windows.Form1->show();
  std::unique_ptr<VirtualBenchWindow> bench;
  if (context.simBench) {
    bench = std::make_unique<VirtualBenchWindow>(*context.simBench);
    PlaceUnder(*bench, *context.windows.Form1);
    bench->show();
  }
  return app.exec();
}
