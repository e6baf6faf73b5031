#pragma once

#include <QWidget>

namespace qjig::ui {
class Dialogs;
class Gauge;
}  // namespace qjig::ui

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace qjig {

// The update window: shows the firmware switch's progress on top of the main
// window. Its worker reaches it only through posted calls (ReadThread_UPD).
class TUPDATE_FORM final : public QWidget {
  Q_OBJECT

 public:
  explicit TUPDATE_FORM(ui::Dialogs& dialogs);

  QPlainTextEdit* const Memo_UPDATE;
  ui::Gauge* const CGauge_UPD;
  QPushButton* const SpeedButton_UPD_EXIT;
  QTimer* const TimerMSG;

  void SpeedButton_UPD_EXITClick();
  void TimerMSGTimer();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  ui::Dialogs& dialogs_;
};

}  // namespace qjig
