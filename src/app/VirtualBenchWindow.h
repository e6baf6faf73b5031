#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "VirtualBench.h"

class QGridLayout;
class QLabel;
class QPushButton;

namespace qjig {

// With --sim, the bench the virtual jigs lie on: for each jig its serial
// number, the firmware it runs, whether its cable is in and how often it
// beeped, and the two things a technician does to a jig by hand: press its
// reset button, pull or plug its cable. The jigs are polled a few times a
// second; they are thread-safe, so a worker may drive them meanwhile. The
// buttons are named "Reset <serial>" and "Cable <serial>".
class VirtualBenchWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit VirtualBenchWindow(const sim::VirtualBench& bench);

 private:
  struct JigRow {
    std::shared_ptr<sim::VirtualJig> jig;
    QLabel* firmware;
    QLabel* cable;
    QLabel* buzzer;
    QPushButton* cableButton;
  };

  void AddJigRow(QGridLayout& grid, const std::shared_ptr<sim::VirtualJig>& jig);
  void Refresh();

  std::vector<JigRow> rows_;
};

}  // namespace qjig
