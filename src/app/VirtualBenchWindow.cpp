#include "VirtualBenchWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace qjig {

namespace {

constexpr int kRefreshMs = 250;

enum Column { kSerial, kFirmware, kCable, kBuzzer, kResetButton, kCableButton };

QLabel* AddLabel(QGridLayout& grid, int row, Column column, const QString& text = {}) {
  auto* label = new QLabel(text);
  grid.addWidget(label, row, column);
  return label;
}

QPushButton* AddButton(QGridLayout& grid, int row, Column column, const QString& name,
                       const QString& text = {}) {
  auto* button = new QPushButton(text);
  button->setObjectName(name);
  grid.addWidget(button, row, column);
  return button;
}

QString FirmwareText(sim::VirtualJig& jig) {
  const std::string tag = jig.FirmwareTag();
  return QString::fromStdString(jig.RunningFirmware() + (tag.empty() ? "" : ": " + tag));
}

}  // namespace

VirtualBenchWindow::VirtualBenchWindow(const sim::VirtualBench& bench) {
  setObjectName("VirtualBench");
  setWindowTitle("Virtual bench");
  // The bench may be closed; the program ends with the main window's Exit.
  setAttribute(Qt::WA_QuitOnClose, false);
  auto& grid = *new QGridLayout(this);
  AddLabel(grid, 0, kSerial, "<b>Serial</b>");
  AddLabel(grid, 0, kFirmware, "<b>Firmware</b>");
  AddLabel(grid, 0, kCable, "<b>USB cable</b>");
  AddLabel(grid, 0, kBuzzer, "<b>Buzzer</b>");
  if (bench.jigs.empty()) AddLabel(grid, 1, kSerial, "No jig on the bench.");
  for (const auto& jig : bench.jigs) AddJigRow(grid, jig);

  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &VirtualBenchWindow::Refresh);
  timer->start(kRefreshMs);
  Refresh();
}

void VirtualBenchWindow::AddJigRow(QGridLayout& grid, const std::shared_ptr<sim::VirtualJig>& jig) {
  const int row = static_cast<int>(rows_.size()) + 1;
  const QString serial = QString::fromStdString(jig->Serial());
  AddLabel(grid, row, kSerial, serial);
  rows_.push_back({jig, AddLabel(grid, row, kFirmware), AddLabel(grid, row, kCable),
                   AddLabel(grid, row, kBuzzer), AddButton(grid, row, kCableButton, "Cable " + serial)});
  QPushButton* reset = AddButton(grid, row, kResetButton, "Reset " + serial, "Reset button");
  connect(reset, &QPushButton::clicked, this, [this, jig] {
    jig->PressReset();
    Refresh();
  });
  connect(rows_.back().cableButton, &QPushButton::clicked, this, [this, jig] {
    if (jig->IsPlugged())
      jig->Unplug();
    else
      jig->Plug();
    Refresh();
  });
}

void VirtualBenchWindow::Refresh() {
  for (const JigRow& row : rows_) {
    const bool plugged = row.jig->IsPlugged();
    row.firmware->setText(FirmwareText(*row.jig));
    row.cable->setText(plugged ? "plugged" : "unplugged");
    row.buzzer->setText(QString::number(row.jig->BuzzerCount()));
    row.cableButton->setText(plugged ? "Unplug" : "Plug");
  }
}

}  // namespace qjig
