#pragma once

#include "Dialogs.h"

namespace qjig::ui {

// The desktop's own dialogs, modal over the window the user works in.
class QtDialogs final : public Dialogs {
 public:
  void Error(const QString& text) override;
  void Information(const QString& text) override;
  std::optional<QString> OpenFile(const FileDialogRequest& request) override;
  std::optional<QString> SaveFile(const FileDialogRequest& request) override;
};

// A designed filter ("desc|pattern|desc|pattern") in Qt's form
// ("desc (pattern);;desc (pattern)"); a description that already names its
// patterns in brackets is kept as it is.
QString QtFileFilter(const QString& designFilter);

}  // namespace qjig::ui
