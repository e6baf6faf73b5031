#pragma once

#include <QPointer>
#include <string>
#include <vector>

#include "app/ModeWindow.h"
#include "link/CheckProgrammer.h"
#include "link/JigLink.h"
#include "modes/shared/AdapterBoard.h"
#include "modes/shared/OperationState.h"
#include "ui/Dialogs.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qjig {

namespace ui {
class Gauge;
}

class ReadThread_KB90;
struct Kb90Job;

// The KB90xx window: reads, writes and verifies the flash of an ENE KB9010/
// 9012/9016/9022 embedded controller, and helps the user wire the FFC cable
// to the motherboard, or finds the BRIMEX adapter board instead.
//
// READ and WRITE prepare on the UI thread (check, chip connect, file) and
// hand the rest to a ReadThread_KB90 worker; the worker's lines, gauge and
// the end of the operation come back posted to this window.
class TKB901X_forms final : public ModeWindow {
  Q_OBJECT

 public:
  explicit TKB901X_forms(AppContext& context);
  // Lets a running worker end first: it uses this window's link.
  ~TKB901X_forms() override;

  // " Help for FFC cable connection  "
  QGroupBox* const GroupBox1;
  QComboBox* const ComboBox_KB901X;
  QComboBox* const ComboBox_KB901X_FFC;
  QCheckBox* const CheckBox_KB901X;
  QLabel* const Label_result;

  QPlainTextEdit* const KB901X_Memo;
  ui::Gauge* const CGauge_KB901X;
  QPushButton* const KB901X_READ;
  QPushButton* const KB901X_WRITE;
  QPushButton* const EXIT_KB901X;

  const ui::FileDialogRequest SaveDialog_KB90;
  const ui::FileDialogRequest OpenDialog_KB90;

  void FormCreate();
  void ComboBox_KB901XSelect();
  void ComboBox_KB901X_FFCSelect();
  void CheckBox_KB901XClick();
  void BuildWiringText();

  void KB901X_READClick();
  void KB901X_WRITEClick();
  void EXIT_KB901XClick();
  void SaveDialog_KB90CanClose();
  void OpenDialog_KB90CanClose();

  const OperationState& State() const { return state_; }
  // What the last READ or WRITE came to, for the command line: the check's
  // result, and whether an operation that ran succeeded.
  CheckResult LastCheck() const { return lastCheck_; }
  bool LastOperationSucceeded() const { return lastSucceeded_; }

 private:
  void AddLine(const std::string& line);
  LineSink Memo();
  bool AdapterChosen() const;
  void ShowPrompts();
  // READ's and WRITE's steps up to their file dialog; false when they stop.
  bool Prepare(bool throughAdapter);
  void BeginOperation(std::string_view state, const QColor& gauge, const char* announce, QPushButton& blocked,
                      Kb90Job job);
  void OperationEnded(bool succeeded);
  void ChooseAdapterBoard();

  AppContext& context_;
  JigLink link_;
  std::string tag_;
  OperationState state_;
  AdapterOrientation orientation_ = AdapterOrientation::Pins31To32;
  std::vector<std::uint8_t> image_;
  QString fileName_;
  bool fileChosen_ = false;
  // The motherboard list's choice before the current one, for a choice that
  // is refused.
  int acceptedEntry_ = -1;
  CheckResult lastCheck_ = CheckResult::NotFound;
  bool lastSucceeded_ = false;
  QPointer<ReadThread_KB90> worker_;
};

}  // namespace qjig
