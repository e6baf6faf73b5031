#include "WindowCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <iostream>

#include "EdidCommands.h"
#include "EneCommands.h"
#include "ExitCodes.h"
#include "KeyboardCommands.h"
#include "MemoEcho.h"
#include "app/AppContext.h"
#include "app/ModeTable.h"
#include "app/ProgramWindows.h"
#include "app/TForm1.h"
#include "app/VirtualBenchWindow.h"
#include "jigfw/TUPDATE_FORM.h"
#include "link/StartLog.h"
#include "ui/ScriptedDialogs.h"

namespace qjig::cli {

namespace {

// The whole of `start`, firmware upload included, ends well within this.
constexpr std::chrono::seconds kStartBound{120};

// Ends `loop` when Start's firmware switch is over: with success when the
// mode window opens, with failure when the update window's EXIT is enabled.
class SwitchOutcome : public QObject {
 public:
  SwitchOutcome(QWidget& modeWindow, QWidget& updateExit, QEventLoop& loop)
      : modeWindow_(modeWindow), updateExit_(updateExit), loop_(loop) {
    modeWindow_.installEventFilter(this);
    updateExit_.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &modeWindow_ && event->type() == QEvent::Show) loop_.exit(kExitSuccess);
    if (watched == &updateExit_ && event->type() == QEvent::EnabledChange && updateExit_.isEnabled())
      loop_.exit(kExitFailure);
    return false;
  }

 private:
  QWidget& modeWindow_;
  QWidget& updateExit_;
  QEventLoop& loop_;
};

std::string ModeList() {
  std::string list;
  for (const Mode& mode : Modes()) list += "\n  " + std::string(mode.text);
  return list;
}

int RunStart(AppContext& context, ui::ScriptedDialogs& dialogs, const std::vector<std::string>& args) {
  TForm1& form1 = *context.windows.Form1;
  QWidget* modeWindow = args.size() == 1 ? ModeWindowFor(context.windows, args[0]) : nullptr;
  if (!modeWindow) {
    std::cerr << "start needs one mode, as MAIN_SELECTOR names it:" << ModeList() << '\n';
    return kExitFailure;
  }
  form1.MAIN_SELECTOR->setCurrentIndex(form1.MAIN_SELECTOR->findText(QString::fromStdString(args[0])));
  TUPDATE_FORM& update = *context.windows.UPDATE_FORM;
  MemoEcho echo(*update.Memo_UPDATE);
  QEventLoop loop;
  SwitchOutcome outcome(*modeWindow, *update.SpeedButton_UPD_EXIT, loop);
  QTimer::singleShot(kStartBound, &loop, [&loop] {
    std::cerr << "start: the firmware switch did not end within " << kStartBound.count() << " s\n";
    loop.exit(kExitFailure);
  });

  const std::size_t shownBefore = dialogs.Messages().size();
  form1.MAIN_CONNECTClick();
  // Start ends at once with a dialog when it cannot hand over to the switch:
  // an error when there is no jig, an information when the jig is a
  // version-3 one this mode cannot serve.
  if (dialogs.Messages().size() > shownBefore)
    return dialogs.Messages().back().kind == ui::MessageKind::Error ? kExitNoJig : kExitWrongFirmware;

  const int status = loop.exec();
  form1.StopSwitch(kSwitchEndBound);
  QCoreApplication::sendPostedEvents();  // the switch's last lines
  return status;
}

int RunScreenshot(AppContext& context, const ProgramWindows& windows, const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::cerr << "screenshot needs the folder to write into\n";
    return kExitFailure;
  }
  const std::filesystem::path folder = args[0];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  std::vector<QWidget*> drawn = windows.All();
  std::unique_ptr<VirtualBenchWindow> bench;
  if (context.simBench) {
    bench = std::make_unique<VirtualBenchWindow>(*context.simBench);
    drawn.push_back(bench.get());
  }
  for (QWidget* window : drawn) {
    const std::filesystem::path file = folder / (window->objectName().toStdString() + ".png");
    if (!window->grab().save(QString::fromStdString(file.string()))) {
      std::cerr << "screenshot: cannot write " << file.string() << '\n';
      return kExitFailure;
    }
    std::cout << file.string() << '\n';
  }
  return kExitSuccess;
}

}  // namespace

bool IsWindowCommand(const std::string& command) {
  if (command == "keyboard") return true;
  return command == "start" || command == "screenshot" || command == "ene" || command == "edid";
}

int RunWindowCommand(const std::string& command, DriverChoice driver, const std::vector<std::string>& args,
                     char* programName) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt sees no argument of ours.
  int qtArgc = 1;
  char* qtArgv[] = {programName, nullptr};
  QApplication app(qtArgc, qtArgv);

  ui::ScriptedDialogs dialogs(ui::ScriptedDialogs::Echo::ToStderr);
  AppContext context(std::move(driver.driver), dialogs, ProgramImageFolders(), std::string(kStartLogFile));
  context.simBench = std::move(driver.bench);
  ProgramWindows windows(context);
  if (command == "start") return RunStart(context, dialogs, args);
  if (command == "ene") return RunEne(context, dialogs, args);
  if (command == "edid") return RunEdid(context, dialogs, args);
  if (command == "keyboard") return RunKeyboard(context, args);
  return RunScreenshot(context, windows, args);
}

}  // namespace qjig::cli
