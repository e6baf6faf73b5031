#pragma once

#include <QObject>

class QPlainTextEdit;
class QTextDocument;

namespace qjig::cli {

// Prints a window's message-box lines on stdout as they are added, whether
// a handler or a worker added them.
class MemoEcho : public QObject {
 public:
  explicit MemoEcho(QPlainTextEdit& memo);

 private:
  void PrintNewLines();

  QTextDocument& document_;
  int printed_ = 0;
};

}  // namespace qjig::cli
