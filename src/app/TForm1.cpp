#include "TForm1.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "AppContext.h"
#include "ModeTable.h"
#include "SwitchWindowsPort.h"
#include "jigfw/ReadThread_UPD.h"
#include "jigfw/TUPDATE_FORM.h"
#include "jigfw/UpdateVersion3Jig.h"
#include "link/QueryJigVersion.h"
#include "link/StartLog.h"
#include "ui/Dialogs.h"
#include "ui/WindowSetUp.h"

namespace qjig {

namespace {

constexpr QSize kClientSize(711, 78);
constexpr int kBootLimitMs = 5000;
constexpr int kOpenModeWindowMs = 300;

QComboBox* MakeSelector(QWidget& parent) {
  auto* selector = new QComboBox(&parent);
  selector->setObjectName("MAIN_SELECTOR");
  selector->setGeometry(16, 22, 297, 34);
  selector->addItem(QString::fromUtf8(kSelectPrompt.data(), kSelectPrompt.size()));
  for (const Mode& mode : Modes()) selector->addItem(QString::fromUtf8(mode.text.data(), mode.text.size()));
  selector->setMaxVisibleItems(10);
  ui::PaintField(*selector, Qt::yellow);
  return selector;
}

}  // namespace

TForm1::TForm1(AppContext& context)
    : MAIN_SELECTOR(MakeSelector(*this)),
      MAIN_CONNECT(ui::MakeButton(*this, "MAIN_CONNECT", "Start", {352, 16, 145, 46})),
      Exit(ui::MakeButton(*this, "Exit", "Exit", {544, 16, 145, 46})),
      Timer_5SEC(ui::MakeOneShotTimer(*this, "Timer_5SEC", kBootLimitMs)),
      Timer_RUN(ui::MakeOneShotTimer(*this, "Timer_RUN", kOpenModeWindowMs)),
      context_(context) {
  ui::SetUpWindow(*this, "Quilmarex_JIG  VER 4.B   5/07/2017   for PCB2 only",
                  ui::WindowFrame::MinimiseBoxOnly, kClientSize);
  ui::CentreOnScreen(*this);
  connect(MAIN_CONNECT, &QPushButton::clicked, this, &TForm1::MAIN_CONNECTClick);
  connect(Exit, &QPushButton::clicked, this, &TForm1::ExitClick);
  connect(Timer_5SEC, &QTimer::timeout, this, &TForm1::Timer_5SECTimer);
  connect(Timer_RUN, &QTimer::timeout, this, &TForm1::Timer_RUNTimer);
}

void TForm1::MAIN_CONNECTClick() {
  // While a switch runs the start link is in its worker's hands: a second
  // Start would query the jig under it, so it is refused.
  if (SwitchRunning()) return;
  if (MAIN_SELECTOR->currentIndex() == 0) return;
  const std::string mode = SelectedMode();
  context_.windows.UPDATE_FORM->Memo_UPDATE->clear();

  context_.versionTag = QueryJigVersion(context_.startLink, false, context_.startLogPath);
  const std::string& tag = context_.versionTag;
  if (tag == kTagNoDevice) {
    context_.dialogs.Error("JIG not connected to the USB port!");
    return;
  }
  if (tag.find(kVersion3Tag) != std::string::npos && mode != kMecMode) {
    context_.dialogs.Information("Sorry. \nFor JIG version 3 please use programm version 5.XX or higher!");
    context_.startLink.Close();
    return;
  }
  StartLog(context_.startLogPath).Line("ReadThread_UPD start ... ");
  StartSwitch(mode);
}

void TForm1::StartSwitch(const std::string& mode) {
  // A limit left running by an earlier switch must not cut this one short.
  Timer_5SEC->stop();
  context_.bootTimedOut = false;
  switch_ = new ReadThread_UPD(
      context_.startLink, context_.versionTag, mode, context_.imageFolders, context_.startLogPath,
      std::make_unique<SwitchWindowsPort>(*this, *context_.windows.UPDATE_FORM, context_.bootTimedOut));
}

void TForm1::ExitClick() { close(); }

void TForm1::Timer_5SECTimer() {
  Timer_5SEC->stop();
  context_.bootTimedOut = true;
}

void TForm1::Timer_RUNTimer() {
  Timer_RUN->stop();
  const std::string mode = SelectedMode();
  {
    StartLog log(context_.startLogPath);
    log.Line("User select -> " + mode);
    log.Line("Go to application. End.");
  }
  QWidget* window = ModeWindowFor(context_.windows, mode);
  if (!window) return;
  window->show();
  hide();
}

bool TForm1::SwitchRunning() const { return switch_ && !switch_->isFinished(); }

bool TForm1::StopSwitch(std::chrono::milliseconds bound) {
  if (!switch_) return true;
  switch_->requestInterruption();
  if (!switch_->wait(QDeadlineTimer(bound.count()))) return false;
  delete switch_.data();
  return true;
}

std::string TForm1::SelectedMode() const { return MAIN_SELECTOR->currentText().toStdString(); }

}  // namespace qjig
