#include "TKeyboard_testing.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "ReadThread_keyboard.h"
#include "app/AppContext.h"
#include "ui/ShapeIndicator.h"
#include "ui/WindowSetUp.h"

namespace qjig {

namespace {

constexpr QSize kClientSize(581, 550);
constexpr int kWatchdogMs = 500;
constexpr const char* kColumnNumbers = " 2       6       11        16       21       26       31";

struct RowLabel {
  const char* name;
  const char* text;
  int top;
};
constexpr RowLabel kRowLabels[] = {
    {"Label1", "1", 36},    {"Label2", "6", 116},   {"Label3", "11", 196}, {"Label4", "16", 276},
    {"Label5", "21", 356},  {"Label7", "26", 436},  {"Label6", "31", 516},
};

// The buttons, check boxes and labels are set in bold Courier New.
QFont ControlFont() {
  QFont font("Courier New", 10);
  font.setBold(true);
  return font;
}

QLabel* MakeLabel(QWidget& parent, const char* name, const QString& text, const QRect& geometry,
                  const QColor& colour) {
  auto* label = new QLabel(text, &parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setFont(ControlFont());
  ui::PaintCaption(*label, colour);
  return label;
}

QPushButton* MakeControlButton(QWidget& parent, const char* name, const char* caption, const QRect& geometry,
                               const QColor& colour) {
  QPushButton* button = ui::MakeButton(parent, name, caption, geometry);
  button->setFont(ControlFont());
  ui::PaintCaption(*button, colour);
  return button;
}

QCheckBox* MakeCheckBox(QWidget& parent, const char* name, const char* caption, int top) {
  auto* box = new QCheckBox(caption, &parent);
  box->setObjectName(name);
  box->setGeometry(16, top, 180, 20);
  box->setFont(ControlFont());
  return box;
}

QTimer* MakeWatchdog(QObject& parent) {
  auto* timer = new QTimer(&parent);
  timer->setObjectName("Timer_KEYB");
  timer->setInterval(kWatchdogMs);
  return timer;
}

QColor QtColour(std::uint32_t rgb) { return QColor::fromRgb(rgb); }

void MakeIndicators(QWidget& parent) {
  for (const Contact& contact : AllContacts()) {
    const IndicatorPlace place = PlaceOf(contact);
    new ui::ShapeIndicator(parent, "Shape" + QString::number(ContactIndex(contact)),
                           {place.left, place.top, kIndicatorWidth, kIndicatorHeight},
                           QtColour(ColourRgb(IndicatorColour::Aqua)));
  }
}

}  // namespace

TKeyboard_testing::TKeyboard_testing(AppContext& context)
    : ModeWindow(context, "Keyboard_testing 01_07_2017", kClientSize),
      Label_keybord(MakeLabel(*this, "Label_keybord", kColumnNumbers, {13, 8, 540, 20}, Qt::red)),
      Label_keyb_con(MakeLabel(*this, "Label_keyb_con", "", {16, 296, 230, 20}, Qt::red)),
      START_SCAN(MakeControlButton(*this, "START_SCAN", "START SCAN", {16, 324, 137, 41}, Qt::red)),
      Clear(MakeControlButton(*this, "Clear", "Clear", {16, 372, 89, 30}, Qt::cyan)),
      Buzzer_box(MakeCheckBox(*this, "Buzzer_box", "Buzzer off", 412)),
      CheckBox_HIDE(MakeCheckBox(*this, "CheckBox_HIDE", "Hide current", 436)),
      EXIT_KB_TEST(MakeControlButton(*this, "EXIT_KB_TEST", "EXIT", {16, 488, 113, 41}, Qt::black)),
      Timer_KEYB(MakeWatchdog(*this)),
      link_(*context.driver, kKeyboardBufferSize) {
  for (const RowLabel& row : kRowLabels) MakeLabel(*this, row.name, row.text, {550, row.top, 28, 20}, Qt::darkBlue);
  MakeIndicators(*this);
  FindIndicators();
  CheckBox_HIDE->setEnabled(false);
  connect(START_SCAN, &QPushButton::clicked, this, &TKeyboard_testing::START_SCANClick);
  connect(Clear, &QPushButton::clicked, this, &TKeyboard_testing::ClearClick);
  connect(CheckBox_HIDE, &QCheckBox::clicked, this, &TKeyboard_testing::CheckBox_HIDEClick);
  connect(EXIT_KB_TEST, &QPushButton::clicked, this, &TKeyboard_testing::EXIT_KB_TESTClick);
  connect(Timer_KEYB, &QTimer::timeout, this, &TKeyboard_testing::Timer_KEYBTimer);
  // The scan reads the box from its own thread.
  connect(Buzzer_box, &QCheckBox::toggled, this, [this](bool ticked) { requests_.buzzerOff = ticked; });
  FormCreate();
}

TKeyboard_testing::~TKeyboard_testing() {
  // The scan's waits are sliced and it stops when asked, so this ends.
  if (!worker_) return;
  worker_->requestInterruption();
  worker_->wait();
}

void TKeyboard_testing::FindIndicators() {
  for (const Contact& contact : AllContacts()) {
    const int index = ContactIndex(contact);
    shapes_.at(static_cast<std::size_t>(index)) =
        findChild<ui::ShapeIndicator*>("Shape" + QString::number(index), Qt::FindDirectChildrenOnly);
  }
}

void TKeyboard_testing::FormCreate() {
  state_.Set(kStateNone);
  ShowKeyboardStatus(KeyboardStatus::No);
}

void TKeyboard_testing::START_SCANClick() {
  if (state_.Is(kStateKeyboard)) {
    requests_.stop = true;
    return;
  }
  ShowKeyboardStatus(KeyboardStatus::No);
  state_.Set(kStateKeyboard);
  requests_.hiding.Off();
  lastScanFailed_ = false;
  lastCheck_ = CheckProgrammer(link_, CheckRowFor(CheckWindow::Keyboard), {}, tag_);
  switch (lastCheck_) {
    case CheckResult::NotFound:
      ShowKeyboardStatus(KeyboardStatus::NoFtdi);
      state_.Set(kStateNone);
      return;
    case CheckResult::WrongFirmware:
      ShowKeyboardStatus(KeyboardStatus::OldFw);
      state_.Set(kStateNone);
      return;
    case CheckResult::Ready: break;
  }
  ShowKeyboardStatus(KeyboardStatus::Yes);
  EXIT_KB_TEST->setEnabled(false);
  START_SCAN->setText("STOP");
  requests_.stop = false;
  CheckBox_HIDE->setEnabled(true);
  worker_ = new ReadThread_keyboard(
      KeyboardScanJob{link_, requests_, board_}, *this,
      {[this](const std::vector<IndicatorChange>& changes) { PaintIndicators(changes); },
       [this](bool running) { running ? Timer_KEYB->start() : Timer_KEYB->stop(); },
       [this](bool linkFailed) { ScanEnded(linkFailed); }});
}

void TKeyboard_testing::EXIT_KB_TESTClick() {
  if (!state_.Is(kStateNone)) return;
  ReturnToMainWindow();
}

// While no scan runs the request waits for the next one.
void TKeyboard_testing::ClearClick() { requests_.clear = true; }

void TKeyboard_testing::CheckBox_HIDEClick() {
  if (CheckBox_HIDE->isChecked())
    requests_.hiding.Start();
  else
    requests_.hiding.Off();
}

// Not stopped by its own tick: the scan stops it when the reply comes.
void TKeyboard_testing::Timer_KEYBTimer() { requests_.linkStatus = LinkStatus::ERROR; }

void TKeyboard_testing::ShowKeyboardStatus(KeyboardStatus status) {
  const StatusLabel label = StatusLabelFor(status);
  const QString text = QString::fromUtf8(label.text.data(), static_cast<qsizetype>(label.text.size()));
  Label_keyb_con->setText(text);
  ui::PaintCaption(*Label_keyb_con, QtColour(label.rgb));
  emit StatusShown(text);
}

void TKeyboard_testing::PaintIndicators(const std::vector<IndicatorChange>& changes) {
  for (const IndicatorChange& change : changes) {
    Indicator(change.index)->SetColour(QtColour(ColourRgb(change.colour)));
    emit IndicatorChanged(change.index, change.colour);
  }
}

void TKeyboard_testing::ScanEnded(bool linkFailed) {
  Buzzer_box->setChecked(false);
  CheckBox_HIDE->setChecked(false);
  CheckBox_HIDE->setEnabled(false);
  requests_.hiding.Off();
  Timer_KEYB->stop();
  EXIT_KB_TEST->setEnabled(true);
  START_SCAN->setText("START SCAN");
  requests_.stop = false;
  lastScanFailed_ = linkFailed;
  state_.Set(kStateNone);
  ShowKeyboardStatus(linkFailed ? KeyboardStatus::NoFtdi : KeyboardStatus::No);
}

}  // namespace qjig
