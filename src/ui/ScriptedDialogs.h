#pragma once

#include <deque>
#include <vector>

#include "Dialogs.h"

namespace qjig::ui {

// Dialogs that nobody clicks: every message is recorded (and, for the command
// line, printed on stderr) and returns at once; file dialogs take their
// answers from a queue filled in advance, and an empty queue answers
// "cancelled".
class ScriptedDialogs final : public Dialogs {
 public:
  enum class Echo { Silent, ToStderr };

  struct Message {
    MessageKind kind;
    QString text;
  };

  explicit ScriptedDialogs(Echo echo = Echo::Silent) : echo_(echo) {}

  // The answer of the next file dialog: a path, or nothing for "cancelled".
  void QueueFileAnswer(std::optional<QString> answer) { fileAnswers_.push_back(std::move(answer)); }

  const std::vector<Message>& Messages() const { return messages_; }
  const std::vector<FileDialogRequest>& FileRequests() const { return fileRequests_; }

  void Error(const QString& text) override;
  void Information(const QString& text) override;
  std::optional<QString> OpenFile(const FileDialogRequest& request) override;
  std::optional<QString> SaveFile(const FileDialogRequest& request) override;

 private:
  void Show(MessageKind kind, const QString& text);
  std::optional<QString> Answer(const FileDialogRequest& request);

  const Echo echo_;
  std::vector<Message> messages_;
  std::vector<FileDialogRequest> fileRequests_;
  std::deque<std::optional<QString>> fileAnswers_;
};

}  // namespace qjig::ui
