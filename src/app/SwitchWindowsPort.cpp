#include "SwitchWindowsPort.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "TForm1.h"
#include "jigfw/TUPDATE_FORM.h"
#include "ui/Gauge.h"
#include "ui/PostToUi.h"

namespace qjig {

using ui::PostToUi;

SwitchWindowsPort::SwitchWindowsPort(TForm1& mainWindow, TUPDATE_FORM& updateWindow,
                                     std::atomic<bool>& bootTimedOut)
    : main_(mainWindow), update_(updateWindow), bootTimedOut_(bootTimedOut) {}

void SwitchWindowsPort::ShowUpdateWindow() {
  PostToUi(&update_, [window = &update_] { window->show(); });
}

void SwitchWindowsPort::HideUpdateWindow() {
  PostToUi(&update_, [window = &update_] { window->hide(); });
}

void SwitchWindowsPort::AddLine(const std::string& line) {
  PostToUi(&update_, [memo = update_.Memo_UPDATE, text = QString::fromStdString(line)] {
    memo->appendPlainText(text);
  });
}

void SwitchWindowsPort::SetGaugeMax(int max) {
  PostToUi(&update_, [gauge = update_.CGauge_UPD, max] { gauge->SetMaxValue(max); });
}

void SwitchWindowsPort::SetGaugePosition(int position) {
  PostToUi(&update_, [gauge = update_.CGauge_UPD, position] { gauge->SetProgress(position); });
}

void SwitchWindowsPort::EnableExit() {
  PostToUi(&update_, [button = update_.SpeedButton_UPD_EXIT] { button->setEnabled(true); });
}

void SwitchWindowsPort::StartResetPrompt() {
  PostToUi(&update_, [timer = update_.TimerMSG] { timer->start(); });
}

void SwitchWindowsPort::StartBootTimeLimit() {
  // Cleared here, before the timer is asked for, so the switch never reads
  // the flag of an earlier limit.
  bootTimedOut_ = false;
  PostToUi(&main_, [timer = main_.Timer_5SEC] { timer->start(); });
}

// A program that is closing asks its worker to stop; the wait for the
// bootloader then ends as if its time were up.
bool SwitchWindowsPort::BootTimedOut() const { return bootTimedOut_; }

bool SwitchWindowsPort::StopRequested() const {
  return QThread::currentThread()->isInterruptionRequested();
}

void SwitchWindowsPort::RequestModeWindow() {
  PostToUi(&main_, [timer = main_.Timer_RUN] { timer->start(); });
}

void SwitchWindowsPort::ShowMainWindow() {
  PostToUi(&main_, [window = &main_] { window->show(); });
}

}  // namespace qjig
