#include "TKB901X_forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringDecoder>

#include "EneWiring.h"
#include "Kb90Operation.h"
#include "ReadThread_KB90.h"
#include "app/AppContext.h"
#include "modes/shared/ConnectionBase.h"
#include "modes/shared/OperationFinish.h"
#include "modes/shared/WindowOperationPort.h"
#include "ui/Gauge.h"
#include "ui/WindowSetUp.h"

namespace qjig {

namespace {

constexpr QSize kClientSize(705, 521);
constexpr const char* kBoardPrompt = "Select MB or BRIMEX here";
constexpr const char* kCablePrompt = "Select FFC cable you used";
constexpr const char* kAdapterEntry = "External board - BRIMEX";
const char* const kCableSizes[] = {"18 pin", "20 pin", "24 pin", "25 pin", "26 pin", "28 pin", "30 pin", "32 pin"};
const QString kBinFilter = "BIN file KB90XX (*.bin)|*.bin";

QGroupBox* MakeGroup(QWidget& parent) {
  auto* group = new QGroupBox(" Help for FFC cable connection  ", &parent);
  group->setObjectName("GroupBox1");
  group->setGeometry(8, 4, 689, 113);
  return group;
}

QComboBox* MakeBoardList(QWidget& group) {
  auto* list = new QComboBox(&group);
  list->setObjectName("ComboBox_KB901X");
  list->setGeometry(12, 22, 433, 24);
  // Free text may be typed, as in the design; it is never added to the list.
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setMaxVisibleItems(20);
  list->setEnabled(false);
  return list;
}

QComboBox* MakeCableList(QWidget& group) {
  auto* list = new QComboBox(&group);
  list->setObjectName("ComboBox_KB901X_FFC");
  list->setGeometry(456, 22, 221, 24);
  for (const char* size : kCableSizes) list->addItem(size);
  list->setPlaceholderText(kCablePrompt);
  list->setEnabled(false);
  return list;
}

QCheckBox* MakeOrientationBox(QWidget& group) {
  auto* box = new QCheckBox("Pin 1 connected  to pin 1 on the MB keyboard connector", &group);
  box->setObjectName("CheckBox_KB901X");
  box->setGeometry(12, 54, 433, 20);
  box->setChecked(true);
  box->setEnabled(false);
  return box;
}

QLabel* MakeResultLabel(QWidget& group) {
  auto* label = new QLabel("*************", &group);
  label->setObjectName("Label_result");
  label->setGeometry(12, 82, 665, 20);
  return label;
}

QPlainTextEdit* MakeMemo(QWidget& parent) {
  auto* memo = new QPlainTextEdit(&parent);
  memo->setObjectName("KB901X_Memo");
  memo->setGeometry(8, 124, 689, 296);
  memo->setReadOnly(true);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return memo;
}

ui::Gauge* MakeGauge(QWidget& parent) {
  auto* gauge = new ui::Gauge(&parent);
  gauge->setObjectName("CGauge_KB901X");
  gauge->setGeometry(8, 428, 689, 26);
  gauge->SetMaxValue(kKb90GaugeMax);
  return gauge;
}

QPushButton* MakeOperationButton(QWidget& parent, const char* name, const char* caption, int left,
                                 const QColor& text) {
  QPushButton* button = ui::MakeButton(parent, name, caption, {left, 464, 185, 49});
  ui::PaintCaption(*button, text);
  return button;
}

// The BRIMEX board's wiring, for the position it was found in.
QString AdapterHint(AdapterOrientation orientation) {
  const char* wires = orientation == AdapterOrientation::Pins1To2 ? " B13 C14 D17 E12 " : " B20 C19 D16 E21 ";
  return QString(" Please connect\n") + wires + "\n then  READ or WRITE!";
}

std::filesystem::path LocalPath(const QString& fileName) { return fileName.toStdString(); }

}  // namespace

TKB901X_forms::TKB901X_forms(AppContext& context)
    : ModeWindow(context, "KB9010/9012/9016/9022  and BRIMEX 01/07/2017", kClientSize),
      GroupBox1(MakeGroup(*this)),
      ComboBox_KB901X(MakeBoardList(*GroupBox1)),
      ComboBox_KB901X_FFC(MakeCableList(*GroupBox1)),
      CheckBox_KB901X(MakeOrientationBox(*GroupBox1)),
      Label_result(MakeResultLabel(*GroupBox1)),
      KB901X_Memo(MakeMemo(*this)),
      CGauge_KB901X(MakeGauge(*this)),
      KB901X_READ(MakeOperationButton(*this, "KB901X_READ", "KB90XX_READ", 8, Qt::darkGreen)),
      KB901X_WRITE(MakeOperationButton(*this, "KB901X_WRITE", "KB90XX_WRITE", 200, Qt::red)),
      EXIT_KB901X(ui::MakeButton(*this, "EXIT_KB901X", "EXIT", {584, 464, 113, 49})),
      SaveDialog_KB90{"Save file", kBinFilter, "", "Noname", "bin"},
      OpenDialog_KB90{"Read file", kBinFilter + "|other|*.*", ""},
      context_(context),
      link_(*context.driver, kKb90LinkBuffer) {
  connect(ComboBox_KB901X, &QComboBox::activated, this, &TKB901X_forms::ComboBox_KB901XSelect);
  connect(ComboBox_KB901X_FFC, &QComboBox::activated, this, &TKB901X_forms::ComboBox_KB901X_FFCSelect);
  connect(CheckBox_KB901X, &QCheckBox::clicked, this, &TKB901X_forms::CheckBox_KB901XClick);
  connect(KB901X_READ, &QPushButton::clicked, this, &TKB901X_forms::KB901X_READClick);
  connect(KB901X_WRITE, &QPushButton::clicked, this, &TKB901X_forms::KB901X_WRITEClick);
  connect(EXIT_KB901X, &QPushButton::clicked, this, &TKB901X_forms::EXIT_KB901XClick);
  FormCreate();
}

TKB901X_forms::~TKB901X_forms() {
  // Every wait of the worker is bounded, and asked to stop it takes its
  // failure path at once, so this ends.
  if (!worker_) return;
  worker_->requestInterruption();
  worker_->wait();
}

void TKB901X_forms::FormCreate() {
  ShowPrompts();
  const auto base = ReadConnectionBase(std::string(kEneConnectionBaseFile));
  if (!base) {
    Label_result->setText("Create base of connections KB90XX !");
    ui::PaintField(*ComboBox_KB901X, ui::ButtonFace());
    ui::PaintField(*ComboBox_KB901X_FFC, ui::ButtonFace());
    return;
  }
  ComboBox_KB901X->setEnabled(true);
  ComboBox_KB901X_FFC->setEnabled(true);
  CheckBox_KB901X->setEnabled(true);
  Label_result->clear();
  ComboBox_KB901X->addItem(kAdapterEntry);
  // The base is Windows-1251 text.
  QStringDecoder decode("windows-1251");
  for (const std::string& entry : *base) ComboBox_KB901X->addItem(decode(QByteArrayView(entry)));
  // Adding entries chose the first one: the prompts go back.
  ShowPrompts();
}

void TKB901X_forms::ShowPrompts() {
  ComboBox_KB901X->setCurrentIndex(-1);
  ComboBox_KB901X->setEditText(kBoardPrompt);
  ComboBox_KB901X_FFC->setCurrentIndex(-1);  // shows its placeholder, the prompt
  ui::PaintField(*ComboBox_KB901X, Qt::yellow);
  ui::PaintField(*ComboBox_KB901X_FFC, Qt::yellow);
  acceptedEntry_ = -1;
}

void TKB901X_forms::ComboBox_KB901XSelect() {
  const int entry = ComboBox_KB901X->currentIndex();
  if (entry == 0) {
    ChooseAdapterBoard();
    return;
  }
  if (entry < 0) return;
  acceptedEntry_ = entry;
  ComboBox_KB901X_FFC->setEnabled(true);
  CheckBox_KB901X->setEnabled(true);
  ui::PaintField(*ComboBox_KB901X, ui::ButtonFace());
  if (ComboBox_KB901X_FFC->currentIndex() >= 0) BuildWiringText();
}

void TKB901X_forms::ChooseAdapterBoard() {
  // The detection would talk to the jig under a running worker, so while an
  // operation runs the choice is refused and the list shows what it did.
  // Choosing a motherboard meanwhile is harmless: an operation keeps the
  // adapter choice it started with.
  if (!state_.Is(kStateNone)) {
    ComboBox_KB901X->setCurrentIndex(acceptedEntry_);
    if (acceptedEntry_ < 0) ComboBox_KB901X->setEditText(kBoardPrompt);
    return;
  }
  acceptedEntry_ = 0;
  ComboBox_KB901X_FFC->setEnabled(false);
  CheckBox_KB901X->setEnabled(false);
  ui::PaintField(*ComboBox_KB901X, ui::ButtonFace());
  ui::PaintField(*ComboBox_KB901X_FFC, ui::ButtonFace());
  const LineSink memo = Memo();
  lastCheck_ = CheckProgrammer(link_, CheckRowFor(CheckWindow::Kb90), {&memo, 1}, tag_);
  if (lastCheck_ != CheckResult::Ready) return;
  if (DetectAdapterBoard(link_, kKb90Adapter, orientation_, memo)) {
    Label_result->setText(" Selected BRIMEX board ");
    context_.dialogs.Information(AdapterHint(orientation_));
  } else {
    Label_result->setText(" Error sending settings");
  }
  link_.Close();
}

void TKB901X_forms::ComboBox_KB901X_FFCSelect() {
  ui::PaintField(*ComboBox_KB901X_FFC, ui::ButtonFace());
  if (ComboBox_KB901X->currentIndex() >= 1) BuildWiringText();
}

void TKB901X_forms::CheckBox_KB901XClick() {
  if (ComboBox_KB901X_FFC->currentIndex() >= 0 && ComboBox_KB901X->currentIndex() >= 1) BuildWiringText();
}

void TKB901X_forms::BuildWiringText() {
  const WiringText wiring =
      ComposeWiringText(ComboBox_KB901X->currentText().toStdString(), ComboBox_KB901X_FFC->currentText().toStdString(),
                        CheckBox_KB901X->isChecked() ? CableOrientation::Straight : CableOrientation::Reversed);
  if (wiring.kind == WiringText::Kind::BadNumber) {
    // The label keeps what it said; the user learns which value to mend.
    context_.dialogs.Error("Wrong number in the connection base: '" + QString::fromStdString(wiring.text) + "'");
    return;
  }
  Label_result->setText(QString::fromStdString(wiring.text));
}

void TKB901X_forms::KB901X_READClick() {
  if (!state_.Is(kStateNone)) return;
  const bool throughAdapter = AdapterChosen();
  if (!Prepare(throughAdapter)) return;
  fileChosen_ = false;
  if (const auto name = context_.dialogs.SaveFile(SaveDialog_KB90)) {
    fileName_ = *name;
    SaveDialog_KB90CanClose();
  }
  if (!fileChosen_) {
    AddLine("Write to file is interrupted.");
    AddLine("");
    link_.Close();
    return;
  }
  repaint();
  std::ofstream file(LocalPath(fileName_), std::ios::binary | std::ios::trunc);
  if (!file) {
    context_.dialogs.Error("Ошибка создания файла.");
    link_.Close();
    return;
  }
  AddLine("Save the file: ");
  AddLine(fileName_.toStdString());
  BeginOperation(kStateReading, QColor::fromRgb(kGaugeLime), "Reading KB90XX ...", *KB901X_WRITE,
                 Kb90Job{link_, state_, throughAdapter, std::move(file), {}});
}

void TKB901X_forms::KB901X_WRITEClick() {
  if (!state_.Is(kStateNone)) return;
  const bool throughAdapter = AdapterChosen();
  if (!Prepare(throughAdapter)) return;
  fileChosen_ = false;
  if (const auto name = context_.dialogs.OpenFile(OpenDialog_KB90)) {
    fileName_ = *name;
    OpenDialog_KB90CanClose();
  }
  if (!fileChosen_) {
    AddLine("Write operation is interrupted.");
    link_.Close();
    return;
  }
  repaint();
  if (!LoadKb90Image(LocalPath(fileName_), image_)) {
    context_.dialogs.Error("Error open file!");
    link_.Close();
    return;
  }
  AddLine("Write in KB90XX file:");
  AddLine(fileName_.toStdString());
  BeginOperation(kStateWriting, QColor::fromRgb(kGaugeRed), "There is a writing KB90XX...", *KB901X_READ,
                 Kb90Job{link_, state_, throughAdapter, {}, image_});
}

void TKB901X_forms::EXIT_KB901XClick() {
  if (!state_.Is(kStateNone)) return;
  KB901X_Memo->clear();
  ReturnToMainWindow();
  CGauge_KB901X->SetProgress(0);
  ShowPrompts();
  ComboBox_KB901X_FFC->setEnabled(true);
  CheckBox_KB901X->setEnabled(true);
  Label_result->setEnabled(true);
}

void TKB901X_forms::SaveDialog_KB90CanClose() { fileChosen_ = true; }

void TKB901X_forms::OpenDialog_KB90CanClose() { fileChosen_ = true; }

void TKB901X_forms::AddLine(const std::string& line) { KB901X_Memo->appendPlainText(QString::fromStdString(line)); }

LineSink TKB901X_forms::Memo() {
  return [this](const std::string& line) { AddLine(line); };
}

bool TKB901X_forms::AdapterChosen() const { return ComboBox_KB901X->currentIndex() == 0; }

bool TKB901X_forms::Prepare(bool throughAdapter) {
  const Kb90Readiness readiness = PrepareKb90Operation(link_, throughAdapter, Memo(), tag_);
  lastCheck_ = readiness.check;
  lastSucceeded_ = false;
  return readiness.Ready();
}

void TKB901X_forms::BeginOperation(std::string_view state, const QColor& gauge, const char* announce,
                                   QPushButton& blocked, Kb90Job job) {
  CGauge_KB901X->SetForeColor(gauge);
  CGauge_KB901X->SetProgress(0);
  AddLine(announce);
  blocked.setEnabled(false);
  EXIT_KB901X->setEnabled(false);
  AddLine(CurrentTimeLine());
  state_.Set(state);
  worker_ = new ReadThread_KB90(std::move(job),
                                std::make_unique<WindowOperationPort>(*this, *KB901X_Memo, *CGauge_KB901X,
                                                                      [this](bool ok) { OperationEnded(ok); }));
}

void TKB901X_forms::OperationEnded(bool succeeded) {
  state_.Set(kStateNone);
  lastSucceeded_ = succeeded;
  KB901X_READ->setEnabled(true);
  KB901X_WRITE->setEnabled(true);
  EXIT_KB901X->setEnabled(true);
}

}  // namespace qjig
