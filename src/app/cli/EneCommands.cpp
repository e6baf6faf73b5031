#include "EneCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <iostream>

#include "CheckExit.h"
#include "ExitCodes.h"
#include "MemoEcho.h"
#include "app/AppContext.h"
#include "modes/ene/TKB901X_forms.h"
#include "ui/ScriptedDialogs.h"

namespace qjig::cli {

namespace {

constexpr std::string_view kUsage =
    "ene needs one of:\n"
    "  ene read FILE [--brimex]\n"
    "  ene write FILE [--brimex]\n"
    "  ene wiring --board TEXT --ffc N [--reversed]\n";

// As the user picks an entry: the list shows it, then its handler runs.
void Choose(QComboBox& list, int entry) {
  list.setCurrentIndex(entry);
  emit list.activated(entry);
}

void WaitUntilIdle(const TKB901X_forms& window) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (window.State().Is(kStateNone)) loop.quit();
  });
  poll.start(10);
  loop.exec();
}

int RunOperation(TKB901X_forms& window, ui::ScriptedDialogs& dialogs, bool reading,
                 const std::vector<std::string>& args) {
  const bool brimex = args.size() == 2 && args[1] == "--brimex";
  if (args.empty() || (args.size() == 2 && !brimex) || args.size() > 2) {
    std::cerr << kUsage;
    return kExitFailure;
  }
  MemoEcho echo(*window.KB901X_Memo);
  if (brimex) {
    if (!window.ComboBox_KB901X->isEnabled()) {
      std::cerr << "ene: --brimex needs \"MB connection ENE.txt\" in the current folder\n";
      return kExitFailure;
    }
    Choose(*window.ComboBox_KB901X, 0);
    if (window.Label_result->text() != " Selected BRIMEX board ") return ExitForCheck(window.LastCheck());
  }
  dialogs.QueueFileAnswer(QString::fromStdString(args[0]));
  if (reading) {
    window.KB901X_READClick();
  } else {
    window.KB901X_WRITEClick();
  }
  // Still idle: the check, the chip connect or the file stopped it.
  if (window.State().Is(kStateNone)) return ExitForCheck(window.LastCheck());
  WaitUntilIdle(window);
  return window.LastOperationSucceeded() ? kExitSuccess : kExitFailure;
}

struct WiringArgs {
  std::string board;
  std::string cable;
  bool reversed = false;
};

bool ParseWiringArgs(const std::vector<std::string>& args, WiringArgs& wiring) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--reversed") {
      wiring.reversed = true;
    } else if (args[i] == "--board" && i + 1 < args.size()) {
      wiring.board = args[++i];
    } else if (args[i] == "--ffc" && i + 1 < args.size()) {
      wiring.cable = args[++i] + " pin";
    } else {
      return false;
    }
  }
  return !wiring.board.empty() && !wiring.cable.empty();
}

int FirstEntryStartingWith(const QComboBox& list, const QString& text) {
  for (int i = 1; i < list.count(); ++i)
    if (list.itemText(i).startsWith(text)) return i;
  return -1;
}

int RunWiring(TKB901X_forms& window, const std::vector<std::string>& args) {
  WiringArgs wiring;
  if (!ParseWiringArgs(args, wiring)) {
    std::cerr << kUsage;
    return kExitFailure;
  }
  if (!window.ComboBox_KB901X->isEnabled()) {
    std::cout << window.Label_result->text().toStdString() << '\n';
    return kExitFailure;
  }
  const int board = FirstEntryStartingWith(*window.ComboBox_KB901X, QString::fromStdString(wiring.board));
  const int cable = window.ComboBox_KB901X_FFC->findText(QString::fromStdString(wiring.cable));
  if (board < 0 || cable < 0) {
    std::cerr << "ene wiring: " << (board < 0 ? "no motherboard entry starts with '" + wiring.board + "'"
                                              : "no cable '" + wiring.cable + "'")
              << '\n';
    return kExitFailure;
  }
  Choose(*window.ComboBox_KB901X, board);
  Choose(*window.ComboBox_KB901X_FFC, cable);
  if (wiring.reversed) window.CheckBox_KB901X->click();
  const QString label = window.Label_result->text();
  std::cout << label.toStdString() << '\n';
  return label.startsWith("Please connect GND and:") ? kExitSuccess : kExitFailure;
}

}  // namespace

int RunEne(AppContext& context, ui::ScriptedDialogs& dialogs, const std::vector<std::string>& args) {
  TKB901X_forms& window = *context.windows.KB901X_forms;
  const std::string action = args.empty() ? "" : args[0];
  const std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
  if (action == "read" || action == "write") return RunOperation(window, dialogs, action == "read", rest);
  if (action == "wiring") return RunWiring(window, rest);
  std::cerr << kUsage;
  return kExitFailure;
}

}  // namespace qjig::cli
