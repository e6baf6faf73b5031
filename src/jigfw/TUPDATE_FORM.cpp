#include "TUPDATE_FORM.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "ui/Dialogs.h"
#include "ui/Gauge.h"
#include "ui/WindowSetUp.h"

namespace qjig {

namespace {

constexpr QSize kClientSize(499, 370);
constexpr int kResetPromptMs = 200;

QPlainTextEdit* MakeMemo(QWidget& parent) {
  auto* memo = new QPlainTextEdit(&parent);
  memo->setObjectName("Memo_UPDATE");
  memo->setGeometry(8, 8, 483, 282);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return memo;
}

ui::Gauge* MakeGauge(QWidget& parent) {
  auto* gauge = new ui::Gauge(&parent);
  gauge->setObjectName("CGauge_UPD");
  gauge->setGeometry(8, 298, 483, 22);
  gauge->SetForeColor(Qt::blue);
  return gauge;
}

}  // namespace

TUPDATE_FORM::TUPDATE_FORM(ui::Dialogs& dialogs)
    : Memo_UPDATE(MakeMemo(*this)),
      CGauge_UPD(MakeGauge(*this)),
      SpeedButton_UPD_EXIT(ui::MakeButton(*this, "SpeedButton_UPD_EXIT", "EXIT", {8, 328, 483, 34})),
      TimerMSG(ui::MakeOneShotTimer(*this, "TimerMSG", kResetPromptMs)),
      dialogs_(dialogs) {
  ui::SetUpWindow(*this, "Update FW for PCB2 and PCB3", ui::WindowFrame::NoBorderIcons, kClientSize);
  setWindowFlag(Qt::WindowStaysOnTopHint);
  // The main window's Exit ends the program even while this one is shown.
  setAttribute(Qt::WA_QuitOnClose, false);
  ui::CentreOnScreen(*this);
  SpeedButton_UPD_EXIT->setEnabled(false);
  connect(SpeedButton_UPD_EXIT, &QPushButton::clicked, this, &TUPDATE_FORM::SpeedButton_UPD_EXITClick);
  connect(TimerMSG, &QTimer::timeout, this, &TUPDATE_FORM::TimerMSGTimer);
}

void TUPDATE_FORM::SpeedButton_UPD_EXITClick() {
  Memo_UPDATE->clear();
  SpeedButton_UPD_EXIT->setEnabled(false);
  hide();
}

void TUPDATE_FORM::TimerMSGTimer() {
  TimerMSG->stop();
  dialogs_.Information(" Please press the reset button on the JIG!");
}

// No border icons: the window goes when the switch is done or through EXIT,
// so the window manager's close is refused. The program's own closing of all
// windows at exit goes through.
void TUPDATE_FORM::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) event->ignore();
}

}  // namespace qjig
