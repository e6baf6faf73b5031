#pragma once

#include <QString>
#include <optional>

namespace qjig::ui {

// A file dialog as a window asks for it. The filter is written the way the
// windows were designed: description and pattern pairs separated by '|', as
// in "BIN file KB90XX (*.bin)|*.bin".
struct FileDialogRequest {
  QString title;
  QString filter;
  QString folder;  // where the dialog opens; empty: the current folder
  QString defaultName{};    // the name offered at first (save dialogs)
  QString defaultSuffix{};  // added to a name typed without one, without the dot (save dialogs)
};

enum class MessageKind { Error, Information };

// The modal dialogs a window may show, each with a single OK button. Windows
// ask only through this service, so tests script the answers and the command
// line prints the texts instead of waiting for a click.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual void Error(const QString& text) = 0;
  virtual void Information(const QString& text) = 0;
  // The chosen file, or nothing when the user cancelled.
  virtual std::optional<QString> OpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<QString> SaveFile(const FileDialogRequest& request) = 0;
};

}  // namespace qjig::ui
