#include "KeyboardCommands.h"

#include <QCheckBox>
#include <QLabel>
#include <QEventLoop>
#include <QTimer>
#include <charconv>
#include <chrono>
#include <iostream>
#include <optional>

#include "CheckExit.h"
#include "app/AppContext.h"
#include "modes/keyboard/TKeyboard_testing.h"

namespace qjig::cli {

namespace {

// After STOP the scan ends with its next report; well within this.
constexpr std::chrono::seconds kStopBound{10};

struct ScanRequest {
  int seconds = 0;
  bool buzzerOff = false;
};

std::optional<ScanRequest> ParseScan(const std::vector<std::string>& args) {
  ScanRequest request;
  bool haveSeconds = false;
  if (args.empty() || args[0] != "scan") return std::nullopt;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--buzzer-off") {
      request.buzzerOff = true;
    } else if (args[i] == "--seconds" && i + 1 < args.size()) {
      const std::string& text = args[++i];
      const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), request.seconds);
      if (ec != std::errc() || end != text.data() + text.size() || request.seconds < 0) return std::nullopt;
      haveSeconds = true;
    } else {
      return std::nullopt;
    }
  }
  if (!haveSeconds) return std::nullopt;
  return request;
}

void PrintLine(const std::string& line) { std::cout << line << '\n' << std::flush; }

}  // namespace

int RunKeyboard(AppContext& context, const std::vector<std::string>& args) {
  const auto request = ParseScan(args);
  if (!request) {
    std::cerr << "usage: keyboard scan --seconds N [--buzzer-off]\n";
    return kExitFailure;
  }
  TKeyboard_testing& window = *context.windows.Keyboard_testing;
  QEventLoop loop;
  QString status = window.Label_keyb_con->text();
  QObject::connect(&window, &TKeyboard_testing::StatusShown, &loop, [&](const QString& text) {
    if (text != status) PrintLine(text.toStdString());
    status = text;
    if (window.State().Is(kStateNone)) loop.quit();
  });
  QObject::connect(&window, &TKeyboard_testing::IndicatorChanged, &loop, [](int index, IndicatorColour colour) {
    const Contact contact = ContactOf(index);
    PrintLine(std::to_string(contact.a) + "-" + std::to_string(contact.b) + " " + std::string(ColourName(colour)));
  });

  if (request->buzzerOff) window.Buzzer_box->setChecked(true);
  window.START_SCANClick();
  if (!window.State().Is(kStateKeyboard)) return ExitForCheck(window.LastCheck());

  QTimer::singleShot(std::chrono::seconds(request->seconds), &loop, [&window] {
    if (window.State().Is(kStateKeyboard)) window.START_SCANClick();
  });
  QTimer::singleShot(std::chrono::seconds(request->seconds) + kStopBound, &loop, [&loop] {
    std::cerr << "keyboard: the scan did not end after STOP\n";
    loop.quit();
  });
  loop.exec();
  if (!window.State().Is(kStateNone)) return kExitFailure;
  return window.LastScanFailed() ? kExitNoJig : kExitSuccess;
}

}  // namespace qjig::cli
