// The EDID window on a virtual bench, as a technician uses it: READ into a
// file, WRITE from a file, the EEPROM's and the jig's failures, EXIT.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <optional>

#include "app/ProgramOnBench.h"
#include "app/TForm1.h"
#include "link/WaitBounds.h"
#include "link/backends/SimDriver.h"
#include "modes/edid/EdidImage.h"
#include "modes/edid/TEDID_form.h"
#include "targets/EdidEeprom.h"

namespace {

using namespace std::chrono_literals;
using testsupport::ReadFile;
using testsupport::WriteFile;

const QStringList kCheckLines = {
    "Number of VCOM ports found on the machine: 1",
    "Version FW -> ENE_EDID_KB_V3.7",
    "Communication with programmer installed.",
};
const QString kJigSilent = "The programmer does not respond, the operation is stopped.";
const QString kValidLine = "EDID base block is valid: header and checksum are right.";
const QString kNoHeaderLine = "EDID base block is not valid: its header is not 00 FF FF FF FF FF FF 00.";

std::string Bytes(const sim::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Bytes no EEPROM of the bench holds, `size` of them.
std::string Pattern(std::size_t size) {
  std::string bytes;
  for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>(i * 13 + 5);
  return bytes;
}

QStringList DumpOf(const std::string& image) {
  std::array<std::uint8_t, qjig::kEepromSize> bytes{};
  std::copy_n(image.begin(), bytes.size(), bytes.begin());
  QStringList lines;
  for (const std::string& line : qjig::HexDumpLines(bytes)) lines << QString::fromStdString(line);
  return lines;
}

// The whole program on a bench of one ENE_EDID_KB jig with `jigLines`.
class EdidOnBench {
 public:
  explicit EdidOnBench(const std::string& jigLines)
      : program_("[jig]\nfirmware = ENE_EDID_KB\n" + jigLines) {
    Window().show();
  }

  qjig::TEDID_form& Window() { return *program_.Windows().EDID_form; }
  testsupport::ProgramOnBench& Program() { return program_; }
  std::filesystem::path File(const std::string& name) const { return program_.Folder() / name; }

  sim::VirtualJig& Jig() {
    return *dynamic_cast<const qjig::SimDriver&>(*program_.Context().driver).Bench().jigs.at(0);
  }
  std::string Eeprom() {
    return Bytes(Jig().Inspect([](sim::JigMcu& mcu) { return mcu.FindTarget<sim::EdidEeprom>()->Contents(); }));
  }
  // Whether the window let go of the jig: only then can it be opened again.
  bool LinkClosed() {
    std::uint64_t session = 0;
    const bool opened = Jig().Open(session) == sim::PortResult::Ok;
    Jig().Close(session);
    return opened;
  }

  QStringList Lines() {
    const QString text = program_.Windows().EDID_form->EDID_Memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split('\n');
  }

  // READ, the save dialog answered with `file` (nothing: cancelled).
  void Read(const std::optional<std::filesystem::path>& file) {
    Answer(file);
    Window().EDID_READ->click();
  }
  void Write(const std::optional<std::filesystem::path>& file) {
    Answer(file);
    Window().EDID_WRITE->click();
  }

 private:
  void Answer(const std::optional<std::filesystem::path>& file) {
    program_.Dialogs().QueueFileAnswer(file ? std::optional(QString::fromStdString(file->string())) : std::nullopt);
  }

  testsupport::ProgramOnBench program_;
};

TEST(EdidWindow, ReadSavesTheEepromShowsItAndJudgesItsBaseBlock) {
  struct Case { const char* target; QString checkLine; };
  const Case cases[] = {
      {"edid-eeprom", kValidLine},
      // However the reply is cut up, the image is the same.
      {"edid-eeprom reply-pieces=2", kValidLine},
      {"edid-eeprom reply-pieces=43", kValidLine},
      {"edid-eeprom content=bad-checksum", "EDID base block is not valid: its 128 bytes sum to 01 (hex), not 00."},
      {"edid-eeprom content=erased", kNoHeaderLine},
  };
  for (const Case& c : cases) {
    EdidOnBench bench(std::string("target = ") + c.target + "\n");
    const auto file = bench.File("panel.bin");
    bench.Read(file);
    const std::string eeprom = bench.Eeprom();
    EXPECT_EQ(ReadFile(file), eeprom) << c.target;
    const QStringList lines = kCheckLines +
                              QStringList{"Reading EEPROM ...", "Reading from the EEPROM is completed successfully."} +
                              DumpOf(eeprom) +
                              QStringList{"", c.checkLine, "Save the file: ", QString::fromStdString(file.string())};
    EXPECT_EQ(bench.Lines(), lines) << c.target;
    EXPECT_EQ(bench.Jig().BuzzerCount(), 1) << c.target;
    EXPECT_TRUE(bench.Window().LastOperationSucceeded()) << c.target;
    EXPECT_TRUE(bench.LinkClosed()) << c.target;
  }
}

TEST(EdidWindow, ReadAnsweredErrorShowsNoSaveDialogAndOnlyTheDesignedLines) {
  for (const char* jigLines : {"target = edid-eeprom absent=yes\n", ""}) {
    EdidOnBench bench(jigLines);
    bench.Read(bench.File("never.bin"));
    const QStringList lines =
        kCheckLines + QStringList{"Reading EEPROM ...", "EEPROM does not respond, check the connection !!!", ""};
    EXPECT_EQ(bench.Lines(), lines) << jigLines;
    EXPECT_TRUE(bench.Program().Dialogs().FileRequests().empty()) << jigLines;
    EXPECT_FALSE(std::filesystem::exists(bench.File("never.bin"))) << jigLines;
    EXPECT_EQ(bench.Jig().BuzzerCount(), 1) << jigLines;  // the failure signal
    EXPECT_TRUE(bench.LinkClosed()) << jigLines;
  }
}

TEST(EdidWindow, WriteTakesTheFirst256BytesOfTheFileAndErasedBytesAfterAShortOne) {
  const std::string baseBlock = Bytes(sim::SamplePanelEdid()).substr(0, 128);
  struct Case { const char* what; std::string file; std::string image; QString checkLine; };
  const Case cases[] = {
      {"an EDID base block alone", baseBlock, baseBlock + std::string(128, '\xFF'), kValidLine},
      {"a whole EEPROM", Pattern(256), Pattern(256), kNoHeaderLine},
      {"a longer file", Pattern(300), Pattern(256), kNoHeaderLine},
  };
  for (const Case& c : cases) {
    EdidOnBench bench("target = edid-eeprom content=erased\n");
    const auto file = bench.File("image.bin");
    WriteFile(file, c.file);
    bench.Write(file);
    EXPECT_EQ(bench.Eeprom(), c.image) << c.what;
    const QStringList lines = kCheckLines + QStringList{"Writing EEPROM ..."} + DumpOf(c.image) +
                              QStringList{"", c.checkLine, "Writing data to EEPROM is completed successfully."};
    EXPECT_EQ(bench.Lines(), lines) << c.what;
    EXPECT_EQ(bench.Jig().BuzzerCount(), 1) << c.what;
    EXPECT_TRUE(bench.Window().LastOperationSucceeded()) << c.what;
    EXPECT_TRUE(bench.LinkClosed()) << c.what;
  }
}

TEST(EdidWindow, WriteRefusedByTheEepromNamesTheWriteProtectPin) {
  for (const char* target : {"edid-eeprom write-protect=yes", "edid-eeprom absent=yes"}) {
    EdidOnBench bench(std::string("target = ") + target + "\n");
    const std::string before = bench.Eeprom();
    const auto file = bench.File("image.bin");
    WriteFile(file, Pattern(256));
    bench.Write(file);
    EXPECT_EQ(bench.Eeprom(), before) << target;
    EXPECT_EQ(bench.Lines().back(), "EEPROM does not respond, or write error! WP 7 pin = '0' ?") << target;
    EXPECT_EQ(bench.Jig().BuzzerCount(), 1) << target;
    EXPECT_FALSE(bench.Window().LastOperationSucceeded()) << target;
  }
}

// Bytes the host sends: 0x42 in the check, then 'E' and 'r' or 'w', then
// the 256 image bytes of a write.
TEST(EdidWindow, AJigThatStopsAnsweringEndsTheOperationWithALine) {
  const qjig::ScopedWaitBounds bounds({300ms, 300ms, 300ms});
  struct Case { const char* fault; bool write; };
  const Case cases[] = {
      {"silent-after 1", false},
      {"unplug-after 1", false},
      {"silent-after 1", true},
      {"silent-after 3", true},  // the image is never answered
      {"unplug-after 3", true},  // the cable comes out as the image goes
  };
  for (const Case& c : cases) {
    const std::string what = std::string(c.fault) + (c.write ? ", write" : ", read");
    EdidOnBench bench(std::string("target = edid-eeprom\nfault = ") + c.fault + "\n");
    const auto file = bench.File("image.bin");
    WriteFile(file, Pattern(256));
    if (c.write) {
      bench.Write(file);
    } else {
      bench.Read(file);
    }
    EXPECT_EQ(bench.Lines().back(), kJigSilent) << what;
    EXPECT_EQ(bench.Program().Dialogs().FileRequests().size(), c.write ? 1u : 0u) << what;
    EXPECT_FALSE(bench.Window().LastOperationSucceeded()) << what;
    if (bench.Jig().IsPlugged()) {
      EXPECT_TRUE(bench.LinkClosed()) << what;
    }
    // The window is usable: EXIT still takes the technician back.
    bench.Window().EXIT_EDID->click();
    EXPECT_TRUE(bench.Window().isHidden()) << what;
  }
}

TEST(EdidWindow, CancelledFileDialogsStopWithTheirLine) {
  EdidOnBench bench("target = edid-eeprom\n");
  bench.Read(std::nullopt);
  EXPECT_EQ(bench.Lines().back(), "Write to file is interrupted.");
  EXPECT_EQ(bench.Jig().BuzzerCount(), 1);  // the read itself succeeded

  const std::string before = bench.Eeprom();
  const std::uint64_t sent = bench.Jig().HostByteCount();
  bench.Write(std::nullopt);
  EXPECT_EQ(bench.Lines(), kCheckLines + QStringList("Write operation is interrupted."));
  EXPECT_EQ(bench.Jig().HostByteCount(), sent + 1);  // the version query only
  EXPECT_EQ(bench.Eeprom(), before);
  EXPECT_TRUE(bench.LinkClosed());
}

TEST(EdidWindow, FilesThatCannotBeMadeOrOpenedShowAnErrorDialogThenAnEmptyLine) {
  EdidOnBench bench("target = edid-eeprom\n");
  const auto nowhere = bench.File("no-such-folder") / "image.bin";
  struct Case { bool write; QString dialog; };
  for (const Case& c : {Case{false, "Ошибка создания файла."}, Case{true, "Ошибка открытия файла."}}) {
    const std::size_t shown = bench.Program().Dialogs().Messages().size();
    if (c.write) {
      bench.Write(nowhere);
    } else {
      bench.Read(nowhere);
    }
    const auto& messages = bench.Program().Dialogs().Messages();
    ASSERT_EQ(messages.size(), shown + 1) << c.write;
    EXPECT_EQ(messages.back().kind, qjig::ui::MessageKind::Error);
    EXPECT_EQ(messages.back().text, c.dialog);
    EXPECT_EQ(bench.Lines().back(), "");
    EXPECT_FALSE(bench.Window().LastOperationSucceeded());
    EXPECT_TRUE(bench.LinkClosed());
  }
}

TEST(EdidWindow, FileDialogsAsDesigned) {
  EdidOnBench bench("target = edid-eeprom\n");
  bench.Read(std::nullopt);
  bench.Write(std::nullopt);
  const auto& requests = bench.Program().Dialogs().FileRequests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].title, "Укажите имя файла для сохранения.");
  EXPECT_EQ(requests[0].filter, "BIN файлы EEPROM (*.bin)|*.bin");
  EXPECT_EQ(requests[0].defaultName, "Noname");
  EXPECT_EQ(requests[0].defaultSuffix, "bin");
  EXPECT_EQ(requests[1].title, "Укажите файл за заливки.");
  EXPECT_EQ(requests[1].filter, "BIN файлы EEPROM (*.bin)|*.bin|Другие|*.*");
}

TEST(EdidWindow, ExitClearsTheBoxAndShowsTheMainWindow) {
  EdidOnBench bench("target = edid-eeprom\n");
  bench.Program().Windows().Form1->hide();
  bench.Read(bench.File("panel.bin"));
  ASSERT_FALSE(bench.Lines().isEmpty());
  bench.Window().EXIT_EDID->click();
  EXPECT_TRUE(bench.Lines().isEmpty());
  EXPECT_TRUE(bench.Window().isHidden());
  EXPECT_TRUE(bench.Program().Windows().Form1->isVisible());
}

}  // namespace
