#include "MemoEcho.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <iostream>

namespace qjig::cli {

MemoEcho::MemoEcho(QPlainTextEdit& memo) : document_(*memo.document()) {
  connect(&document_, &QTextDocument::contentsChanged, this, &MemoEcho::PrintNewLines);
}

void MemoEcho::PrintNewLines() {
  if (document_.isEmpty()) {
    printed_ = 0;
    return;
  }
  for (; printed_ < document_.blockCount(); ++printed_)
    std::cout << document_.findBlockByNumber(printed_).text().toStdString() << '\n';
  std::cout << std::flush;
}

}  // namespace qjig::cli
