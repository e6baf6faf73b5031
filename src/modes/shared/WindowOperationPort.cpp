#include "WindowOperationPort.h"

#include <QPlainTextEdit>
#include <QThread>

#include "ui/Gauge.h"
#include "ui/PostToUi.h"

namespace qjig {

using ui::PostToUi;

WindowOperationPort::WindowOperationPort(QWidget& window, QPlainTextEdit& memo, ui::Gauge& gauge,
                                         std::function<void(bool)> ended)
    : window_(window), memo_(memo), gauge_(gauge), ended_(std::move(ended)) {}

void WindowOperationPort::AddLine(const std::string& line) {
  PostToUi(&window_, [memo = &memo_, text = QString::fromStdString(line)] { memo->appendPlainText(text); });
}

void WindowOperationPort::SetGauge(int position) {
  PostToUi(&window_, [gauge = &gauge_, position] { gauge->SetProgress(position); });
}

void WindowOperationPort::SetGaugeColour(std::uint32_t rgb) {
  PostToUi(&window_, [gauge = &gauge_, rgb] { gauge->SetForeColor(QColor::fromRgb(rgb)); });
}

void WindowOperationPort::Finished(bool succeeded) {
  PostToUi(&window_, [ended = ended_, succeeded] { ended(succeeded); });
}

bool WindowOperationPort::StopRequested() const {
  return QThread::currentThread()->isInterruptionRequested();
}

}  // namespace qjig
