#include "TEDID_form.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QPushButton>
#include <fstream>

#include "EdidCommands.h"
#include "EdidImage.h"
#include "app/AppContext.h"
#include "ui/WindowSetUp.h"

namespace qjig {

namespace {

constexpr QSize kClientSize(457, 329);
const QString kBinFilter = "BIN файлы EEPROM (*.bin)|*.bin";

constexpr const char* kReadFailed = "EEPROM does not respond, check the connection !!!";
constexpr const char* kWriteFailed = "EEPROM does not respond, or write error! WP 7 pin = '0' ?";
// The jig itself went quiet, or its cable came out, in the middle of an
// operation: said plainly, since the window cannot tell which.
constexpr const char* kJigSilent = "The programmer does not respond, the operation is stopped.";

QPlainTextEdit* MakeMemo(QWidget& parent) {
  auto* memo = new QPlainTextEdit(&parent);
  memo->setObjectName("EDID_Memo");
  memo->setGeometry(8, 8, 441, 257);
  memo->setReadOnly(true);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The hex dump's columns line up only in a fixed-pitch font, and only
  // unwrapped; at 7.5 points a whole dump line fits the box.
  QFont fixed("Courier New");
  fixed.setPointSizeF(7.5);
  fixed.setStyleHint(QFont::Monospace);
  memo->setFont(fixed);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  return memo;
}

QPushButton* MakeBoldButton(QWidget& parent, const char* name, const char* caption, int left,
                            const QColor& text = {}) {
  QPushButton* button = ui::MakeButton(parent, name, caption, {left, 272, 105, 49});
  QFont bold = button->font();
  bold.setBold(true);
  button->setFont(bold);
  if (text.isValid()) ui::PaintCaption(*button, text);
  return button;
}

}  // namespace

TEDID_form::TEDID_form(AppContext& context)
    : ModeWindow(context, "EEPROM LCD read/write 01/07/2017", kClientSize),
      EDID_Memo(MakeMemo(*this)),
      EDID_READ(MakeBoldButton(*this, "EDID_READ", "EDID_READ", 8, Qt::darkGreen)),
      EDID_WRITE(MakeBoldButton(*this, "EDID_WRITE", "EDID_WRITE", 121, Qt::red)),
      EXIT_EDID(MakeBoldButton(*this, "EXIT_EDID", "EXIT", 344)),
      SaveDialog1{"Укажите имя файла для сохранения.", kBinFilter, "", "Noname", "bin"},
      OpenDialog1{"Укажите файл за заливки.", kBinFilter + "|Другие|*.*", ""},
      context_(context),
      link_(*context.driver, kEdidLinkBuffer) {
  connect(EDID_READ, &QPushButton::clicked, this, &TEDID_form::EDID_READClick);
  connect(EDID_WRITE, &QPushButton::clicked, this, &TEDID_form::EDID_WRITEClick);
  connect(EXIT_EDID, &QPushButton::clicked, this, &TEDID_form::EXIT_EDIDClick);
}

// The operation holds the UI thread, so each line is drawn as it comes.
void TEDID_form::AddLine(const std::string& line) {
  EDID_Memo->appendPlainText(QString::fromStdString(line));
  EDID_Memo->repaint();
}

// Every operation starts here, so here nothing has succeeded yet.
bool TEDID_form::CheckJig() {
  lastSucceeded_ = false;
  const LineSink memo = [this](const std::string& line) { AddLine(line); };
  lastCheck_ = CheckProgrammer(link_, CheckRowFor(CheckWindow::Edid), {&memo, 1}, tag_);
  return lastCheck_ == CheckResult::Ready;
}

// The base-block line follows the dump it judges; it only informs, so a
// technician may still save or write an image that is not an EDID.
void TEDID_form::AddDumpAndCheck() {
  const EepromBytes image = EepromImage(link_);
  for (const std::string& line : HexDumpLines(image)) AddLine(line);
  AddLine("");
  AddLine(EdidBaseBlockLine(CheckEdidBaseBlock(image)));
}

void TEDID_form::EDID_READClick() {
  EDID_Memo->clear();
  if (!CheckJig()) return;
  AddLine("Reading EEPROM ...");
  const EepromStatus status = ReadEeprom(link_);
  if (status == EepromStatus::Error) {
    AddLine(kReadFailed);
    AddLine("");
    SignalEepromResult(link_, false);
  }
  if (status == EepromStatus::NoAnswer) AddLine(kJigSilent);
  if (status != EepromStatus::Ok) {
    link_.Close();
    return;
  }
  AddLine("Reading from the EEPROM is completed successfully.");
  AddDumpAndCheck();
  SignalEepromResult(link_, true);
  link_.Close();
  SaveImage();
}

void TEDID_form::SaveImage() {
  fileChosen_ = false;
  if (const auto name = context_.dialogs.SaveFile(SaveDialog1)) {
    fileName_ = *name;
    SaveDialog1CanClose();
  }
  if (!fileChosen_) {
    AddLine("Write to file is interrupted.");
    return;
  }
  std::ofstream file(fileName_.toStdString(), std::ios::binary | std::ios::trunc);
  if (!file) {
    context_.dialogs.Error("Ошибка создания файла.");
    AddLine("");
    return;
  }
  AddLine("Save the file: ");
  AddLine(fileName_.toStdString());
  const EepromBytes image = EepromImage(link_);
  file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  file.close();
  lastSucceeded_ = file.good();
}

void TEDID_form::EDID_WRITEClick() {
  EDID_Memo->clear();
  if (!CheckJig()) return;
  fileChosen_ = false;
  if (const auto name = context_.dialogs.OpenFile(OpenDialog1)) {
    fileName_ = *name;
    OpenDialog1CanClose();
  }
  if (!fileChosen_) {
    AddLine("Write operation is interrupted.");
    link_.Close();
    return;
  }
  std::ifstream file(fileName_.toStdString(), std::ios::binary);
  if (!file) {
    context_.dialogs.Error("Ошибка открытия файла.");
    AddLine("");
    link_.Close();
    return;
  }
  AddLine("Writing EEPROM ...");
  LoadEepromImage(file, EepromImage(link_));
  file.close();
  WriteImage();
  link_.Close();
}

void TEDID_form::WriteImage() {
  if (!AnnounceEepromWrite(link_)) {
    AddLine(kJigSilent);
    return;
  }
  AddDumpAndCheck();
  switch (SendEepromImage(link_)) {
    case EepromStatus::Ok:
      AddLine("Writing data to EEPROM is completed successfully.");
      SignalEepromResult(link_, true);
      lastSucceeded_ = true;
      return;
    case EepromStatus::Error:
      AddLine(kWriteFailed);
      SignalEepromResult(link_, false);
      return;
    case EepromStatus::NoAnswer: AddLine(kJigSilent); return;
    case EepromStatus::Other: return;
  }
}

void TEDID_form::EXIT_EDIDClick() {
  EDID_Memo->clear();
  ReturnToMainWindow();
}

void TEDID_form::SaveDialog1CanClose() { fileChosen_ = true; }

void TEDID_form::OpenDialog1CanClose() { fileChosen_ = true; }

}  // namespace qjig
