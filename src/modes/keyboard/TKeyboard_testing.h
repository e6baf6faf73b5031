#pragma once

#include <QPointer>
#include <array>
#include <string>
#include <vector>

#include "KeyboardScan.h"
#include "app/ModeWindow.h"
#include "link/CheckProgrammer.h"
#include "link/JigLink.h"
#include "modes/shared/OperationState.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace qjig {

namespace ui {
class ShapeIndicator;
}

class ReadThread_keyboard;

// The keyboard tester: scans a laptop keyboard's 32-line matrix through the
// jig's cable and shows every pair of lines ever reported as one indicator
// of a triangle, `Shape2` ... `Shape992`, found by name.
//
// START SCAN checks the jig on the UI thread and hands the scan to a
// ReadThread_keyboard worker, which runs until STOP or until the jig stops
// answering; its paints, watchdog starts and its end come back posted.
class TKeyboard_testing final : public ModeWindow {
  Q_OBJECT

 public:
  explicit TKeyboard_testing(AppContext& context);
  // Lets a running scan end first: it uses this window's link.
  ~TKeyboard_testing() override;

  QLabel* const Label_keybord;
  QLabel* const Label_keyb_con;
  QPushButton* const START_SCAN;
  QPushButton* const Clear;
  QCheckBox* const Buzzer_box;
  QCheckBox* const CheckBox_HIDE;
  QPushButton* const EXIT_KB_TEST;
  QTimer* const Timer_KEYB;

  void FormCreate();
  void START_SCANClick();
  void EXIT_KB_TESTClick();
  void ClearClick();
  void CheckBox_HIDEClick();
  void Timer_KEYBTimer();
  void ShowKeyboardStatus(KeyboardStatus status);

  // The indicator of a contact index, as found by name.
  ui::ShapeIndicator* Indicator(int index) const { return shapes_.at(static_cast<std::size_t>(index)); }
  const OperationState& State() const { return state_; }
  // For the command line: the check of the last START SCAN, and whether the
  // last scan ended because the jig stopped answering.
  CheckResult LastCheck() const { return lastCheck_; }
  bool LastScanFailed() const { return lastScanFailed_; }

 signals:
  void IndicatorChanged(int index, qjig::IndicatorColour colour);
  void StatusShown(const QString& text);

 private:
  void FindIndicators();
  void PaintIndicators(const std::vector<IndicatorChange>& changes);
  void ScanEnded(bool linkFailed);

  JigLink link_;
  std::string tag_;
  OperationState state_;
  KeyboardRequests requests_;
  IndicatorBoard board_;
  std::array<ui::ShapeIndicator*, kLastContactIndex + 1> shapes_{};
  CheckResult lastCheck_ = CheckResult::NotFound;
  bool lastScanFailed_ = false;
  QPointer<ReadThread_keyboard> worker_;
};

}  // namespace qjig
