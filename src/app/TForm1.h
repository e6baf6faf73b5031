#pragma once

#include <QPointer>
#include <QWidget>
#include <chrono>
#include <string>

class QComboBox;
class QPushButton;
class QTimer;

namespace qjig {

struct AppContext;
class ReadThread_UPD;

// How long the program waits for a firmware switch to end when it closes.
// The waits for the user stop at once when asked; an upload under way runs
// to its end, a few seconds, or fails within its bounds.
inline constexpr std::chrono::seconds kSwitchEndBound{20};

// The main window: the user picks a mode and presses Start; Start finds the
// jig and hands over to the firmware switch, which asks for the mode window
// through Timer_RUN.
class TForm1 final : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(AppContext& context);

  QComboBox* const MAIN_SELECTOR;
  QPushButton* const MAIN_CONNECT;
  QPushButton* const Exit;
  QTimer* const Timer_5SEC;
  QTimer* const Timer_RUN;

  void MAIN_CONNECTClick();
  void ExitClick();
  void Timer_5SECTimer();
  void Timer_RUNTimer();

  // Whether the firmware switch that Start began is still running.
  bool SwitchRunning() const;
  // Lets a running firmware switch end before the windows go: a wait for
  // the bootloader is cut short, and the switch's other waits are bounded.
  // False when it still runs after `bound`.
  bool StopSwitch(std::chrono::milliseconds bound);

 private:
  std::string SelectedMode() const;
  void StartSwitch(const std::string& mode);

  AppContext& context_;
  QPointer<ReadThread_UPD> switch_;
};

}  // namespace qjig
