#include "ScriptedDialogs.h"

#include <iostream>

namespace qjig::ui {

void ScriptedDialogs::Error(const QString& text) { Show(MessageKind::Error, text); }

void ScriptedDialogs::Information(const QString& text) { Show(MessageKind::Information, text); }

std::optional<QString> ScriptedDialogs::OpenFile(const FileDialogRequest& request) {
  return Answer(request);
}

std::optional<QString> ScriptedDialogs::SaveFile(const FileDialogRequest& request) {
  return Answer(request);
}

void ScriptedDialogs::Show(MessageKind kind, const QString& text) {
  messages_.push_back({kind, text});
  if (echo_ == Echo::ToStderr) std::cerr << text.toStdString() << '\n' << std::flush;
}

std::optional<QString> ScriptedDialogs::Answer(const FileDialogRequest& request) {
  fileRequests_.push_back(request);
  if (fileAnswers_.empty()) return std::nullopt;
  const std::optional<QString> answer = fileAnswers_.front();
  fileAnswers_.pop_front();
  return answer;
}

}  // namespace qjig::ui
