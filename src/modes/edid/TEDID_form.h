#pragma once

#include <QString>
#include <string>

#include "app/ModeWindow.h"
#include "link/CheckProgrammer.h"
#include "link/JigLink.h"
#include "ui/Dialogs.h"

class QPlainTextEdit;
class QPushButton;

namespace qjig {

// The EDID window: reads the 256-byte EEPROM of an LCD panel into a .bin
// file and writes a .bin file into it.
//
// Both operations run on the UI thread from start to end, so the window
// has no worker and no operation state; every wait on the jig is bounded,
// and a jig that stops answering ends the operation with a line saying so.
class TEDID_form final : public ModeWindow {
  Q_OBJECT

 public:
  explicit TEDID_form(AppContext& context);

  QPlainTextEdit* const EDID_Memo;
  QPushButton* const EDID_READ;
  QPushButton* const EDID_WRITE;
  QPushButton* const EXIT_EDID;

  const ui::FileDialogRequest SaveDialog1;
  const ui::FileDialogRequest OpenDialog1;

  void EDID_READClick();
  void EDID_WRITEClick();
  void EXIT_EDIDClick();
  void SaveDialog1CanClose();
  void OpenDialog1CanClose();

  // What the last READ or WRITE came to, for the command line: the check's
  // result, and whether the operation went through to its end.
  CheckResult LastCheck() const { return lastCheck_; }
  bool LastOperationSucceeded() const { return lastSucceeded_; }

 private:
  void AddLine(const std::string& line);
  bool CheckJig();
  void AddDumpAndCheck();
  // What READ does once the image is in: the save dialog and the file.
  void SaveImage();
  // What WRITE does once the image is loaded: the jig's side of the write.
  void WriteImage();

  AppContext& context_;
  JigLink link_;
  std::string tag_;
  QString fileName_;
  bool fileChosen_ = false;
  CheckResult lastCheck_ = CheckResult::NotFound;
  bool lastSucceeded_ = false;
};

}  // namespace qjig
