// KB90XX_READ and KB90XX_WRITE against the virtual jig: what reaches the
// file and the chip, the exact traffic, and how every failure ends.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <algorithm>
#include <random>

#include "Kb90Window.h"
#include "modes/ene/Kb90Operation.h"
#include "modes/ene/TKB901X_forms.h"
#include "support/QtWait.h"
#include "ui/Gauge.h"

namespace {

using namespace std::chrono_literals;
using qjig::TKB901X_forms;
using testsupport::Kb90Window;
using Bytes = std::vector<std::uint8_t>;

const std::string kEneJig = "[jig]\nfirmware = ENE_EDID_KB\n";
const std::string kSampleBase = "Board KSO3=1 KSI4=2 KSI5=3 KSI6=4 KSI7=5\r\n";
const QString kLost = "!!! Lost Communication with ENE or timeout !!! ";
const QString kTime = "Current time  ";
const qjig::WaitBounds kShortBounds{200ms, 200ms, 200ms};

Bytes RandomImage(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes image(size);
  for (auto& byte : image) byte = static_cast<std::uint8_t>(random());
  return image;
}

Bytes FileBytes(const std::filesystem::path& path) {
  const std::string text = testsupport::ReadFile(path);
  return Bytes(text.begin(), text.end());
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  testsupport::WriteFile(path, std::string(bytes.begin(), bytes.end()));
}

QStringList Tail(const QStringList& lines, qsizetype count) { return lines.mid(std::max<qsizetype>(0, lines.size() - count)); }

// What READ sends, in order, after the version query: the chip connect, the
// blocks, the success signal; with the adapter chosen, its on and off
// around each chip access.
std::vector<std::string> ReadTraffic(bool adapter) {
  std::vector<std::string> writes{"42"};
  const auto wrapped = [&](std::vector<std::string> access) {
    if (adapter) writes.push_back("56 31");
    writes.insert(writes.end(), access.begin(), access.end());
  };
  wrapped({"76"});
  if (adapter) writes.push_back("56 30");
  writes.push_back("49");
  std::vector<std::string> blocks{"52"};
  blocks.insert(blocks.end(), 511, "4E");
  blocks.insert(blocks.end(), {"58", "49"});
  wrapped(blocks);
  if (adapter) writes.push_back("56 30");
  return writes;
}

bool AllButtonsEnabled(TKB901X_forms& window) {
  return window.KB901X_READ->isEnabled() && window.KB901X_WRITE->isEnabled() && window.EXIT_KB901X->isEnabled();
}

TEST(Kb90ReadWrite, ReadPutsTheWholeChipInTheFileWithExactlyTheDesignedTraffic) {
  struct Case {
    const char* name;
    std::string bench;
    bool adapter;
  };
  const Case cases[] = {
      {"cable straight to the motherboard", kEneJig + "target = kb9012\n", false},
      {"through the adapter at pins 1-2", kEneJig + "target = kb9012\ntarget = brimex position=1-2\n", true},
      {"through the adapter at pins 31-32", kEneJig + "target = kb9012\ntarget = brimex position=31-32\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Kb90Window program(c.bench, kSampleBase);
    TKB901X_forms& window = program.Window();
    if (c.adapter) Kb90Window::Choose(*window.ComboBox_KB901X, 0);
    const auto file = program.Path("chip.bin");
    program.Dialogs().QueueFileAnswer(QString::fromStdString(file.string()));

    window.KB901X_READ->click();
    EXPECT_EQ(window.State().Text(), "Reading");
    EXPECT_FALSE(window.KB901X_WRITE->isEnabled());
    EXPECT_FALSE(window.EXIT_KB901X->isEnabled());
    ASSERT_TRUE(program.WaitIdle());

    EXPECT_EQ(FileBytes(file), program.Chip());
    EXPECT_EQ(std::filesystem::file_size(file), 131072u);
    EXPECT_EQ(program.WritesSinceLastOpen(), ReadTraffic(c.adapter));
    EXPECT_TRUE(program.LinkClosed());
    EXPECT_EQ(Tail(program.MemoLines(), 11),
              (QStringList{"Number of VCOM ports found on the machine: 1", "Version FW -> ENE_EDID_KB_V3.7",
                           "Communication with programmer installed.", "Communication with KB90XX installed.",
                           "Embedded Debug Version ID = 12", "Save the file: ", QString::fromStdString(file.string()),
                           "Reading KB90XX ...", kTime, "Reading completed successfully.", kTime}));
    EXPECT_TRUE(AllButtonsEnabled(window));
    EXPECT_TRUE(window.LastOperationSucceeded());
    EXPECT_EQ(window.CGauge_KB901X->Progress(), 32768);
    EXPECT_EQ(window.CGauge_KB901X->ForeColor(), QColor(Qt::green));
  }
}

TEST(Kb90ReadWrite, WriteProgramsTheFilesFirst128KAndVerifiesThem) {
  const Bytes whole = RandomImage(131072, 1);
  const Bytes longer = RandomImage(131072 + 500, 2);
  const Bytes shortFile = RandomImage(1000, 3);
  Bytes shortOnChip(131072, 0xFF);
  std::copy(shortFile.begin(), shortFile.end(), shortOnChip.begin());

  struct Case {
    const char* name;
    std::vector<Bytes> files;  // written one after the other
    Bytes chip;
  };
  const Case cases[] = {
      {"a whole image", {whole}, whole},
      {"a longer file: its first 131072 bytes", {longer}, Bytes(longer.begin(), longer.begin() + 131072)},
      {"a short file after a whole one: 0xFF beyond its end", {whole, shortFile}, shortOnChip},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Kb90Window program(kEneJig + "target = kb9012\n", kSampleBase);
    TKB901X_forms& window = program.Window();
    for (std::size_t i = 0; i < c.files.size(); ++i) {
      const auto file = program.Path("image" + std::to_string(i) + ".bin");
      WriteBytes(file, c.files[i]);
      program.Dialogs().QueueFileAnswer(QString::fromStdString(file.string()));
      window.KB901X_WRITE->click();
      EXPECT_FALSE(window.KB901X_READ->isEnabled());
      EXPECT_FALSE(window.EXIT_KB901X->isEnabled());
      ASSERT_TRUE(program.WaitIdle());
    }
    EXPECT_EQ(program.Chip(), c.chip);
    EXPECT_EQ(Tail(program.MemoLines(), 8),
              (QStringList{"Write in KB90XX file:", QString::fromStdString(program.Path("image" + std::to_string(c.files.size() - 1) + ".bin").string()),
                           "There is a writing KB90XX...", kTime, "Writing is completed ...", "Verification ...",
                           "!!! Data is written correctly !!! ", kTime}));
    const auto writes = program.WritesSinceLastOpen();
    EXPECT_EQ(std::count(writes.begin(), writes.end(), "57"), 512);
    EXPECT_EQ(std::count(writes.begin(), writes.end(), "52"), 512);
    EXPECT_EQ(writes.back(), "49");
    EXPECT_TRUE(program.LinkClosed());
    EXPECT_TRUE(AllButtonsEnabled(window));
    EXPECT_TRUE(window.LastOperationSucceeded());
    EXPECT_EQ(window.CGauge_KB901X->Progress(), 32768);
    EXPECT_EQ(window.CGauge_KB901X->ForeColor(), QColor(Qt::yellow));
  }
}

TEST(Kb90ReadWrite, AFailingChipEndsTheOperationWithTheFailureSignal) {
  struct Case {
    const char* name;
    std::string target;
    bool reading;
    QString line;
    std::size_t fileSize;   // reading: what the file keeps
    int verifyRequests;     // writing: the blocks verified
  };
  const Case cases[] = {
      {"contact lost at block 100 of a read", "target = kb9012 lost-at-block=100\n", true, kLost, 101 * 256, 0},
      {"contact lost at the first block of a read", "target = kb9012 lost-at-block=0\n", true, kLost, 256, 0},
      {"contact lost at block 7 of a write", "target = kb9012 lost-at-block=7\n", false, kLost, 0, 0},
      {"a stuck bit in block 3", "target = kb9012 stuck=0x310:0x02:1\n", false,
       "!!! Data is written incorrectly !!! ", 0, 4},
      {"a stuck bit in block 0", "target = kb9012 stuck=0x10:0x02:1\n", false,
       "!!! Data is written incorrectly !!! ", 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Kb90Window program(kEneJig + c.target, kSampleBase);
    TKB901X_forms& window = program.Window();
    const auto file = program.Path("chip.bin");
    if (!c.reading) WriteBytes(file, Bytes(131072, 0x55));
    program.Dialogs().QueueFileAnswer(QString::fromStdString(file.string()));
    (c.reading ? window.KB901X_READ : window.KB901X_WRITE)->click();
    ASSERT_TRUE(program.WaitIdle());

    EXPECT_EQ(Tail(program.MemoLines(), 2), (QStringList{c.line, kTime}));
    const auto writes = program.WritesSinceLastOpen();
    EXPECT_EQ(writes.back(), "4F");
    if (c.reading) {
      EXPECT_EQ(std::filesystem::file_size(file), c.fileSize);
    }
    if (c.verifyRequests > 0) {
      // The verification's requests come after the write's last 'W'.
      const auto lastWrite = std::find(writes.rbegin(), writes.rend(), "57").base();
      EXPECT_EQ(std::count(lastWrite, writes.end(), "52"), c.verifyRequests);
    }
    EXPECT_TRUE(program.LinkClosed());
    EXPECT_TRUE(AllButtonsEnabled(window));
    EXPECT_FALSE(window.LastOperationSucceeded());
  }
}

TEST(Kb90ReadWrite, TheChipConnectReportsTheDebugVersionOrNoChip) {
  struct Case {
    const char* target;
    QStringList lines;   // after the programmer check's lines
    bool goesOn;         // on to the file dialog
  };
  const Case cases[] = {
      {"target = kb9012 debug-version=0xFE\n",
       {"Communication with KB90XX installed.", "Embedded Debug Version ID = 254"}, true},
      {"target = kb9012 debug-version=0\n", {"Communication with KB90XX installed.", "Embedded Debug Version ID = 0"}, true},
      {"target = kb9012 absent=yes\n",
       {"", "No connection to the KB90XX!", "Check the settings !", "Motherboard is connected / powered ?"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    Kb90Window program(kEneJig + c.target, kSampleBase);
    program.Window().KB901X_READ->click();  // no answer queued: the dialog is cancelled
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_EQ(program.MemoLines().mid(3, c.lines.size()), c.lines);
    EXPECT_EQ(program.Dialogs().FileRequests().size(), c.goesOn ? 1u : 0u);
    EXPECT_EQ(program.WritesSinceLastOpen(), (std::vector<std::string>{"42", "76", c.goesOn ? "49" : "4F"}));
    EXPECT_TRUE(program.LinkClosed());
  }
}

TEST(Kb90ReadWrite, ACancelledDialogOrAFileThatCannotBeUsedStopsBeforeTheWorker) {
  struct Case {
    const char* name;
    bool reading;
    std::optional<std::string> answer;  // relative to the test folder
    QStringList lines;                  // after the chip connect's lines
    QString dialog;
  };
  const Case cases[] = {
      {"read cancelled", true, std::nullopt, {"Write to file is interrupted.", ""}, ""},
      {"write cancelled", false, std::nullopt, {"Write operation is interrupted."}, ""},
      {"read into a missing folder", true, "missing/chip.bin", {}, "Ошибка создания файла."},
      {"write from a missing file", false, "missing.bin", {}, "Error open file!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Kb90Window program(kEneJig + "target = kb9012\n", kSampleBase);
    TKB901X_forms& window = program.Window();
    if (c.answer) program.Dialogs().QueueFileAnswer(QString::fromStdString(program.Path(*c.answer).string()));
    (c.reading ? window.KB901X_READ : window.KB901X_WRITE)->click();

    EXPECT_EQ(window.State().Text(), "NONE");
    EXPECT_EQ(program.MemoLines().mid(5), c.lines);
    const auto& shown = program.Dialogs().Messages();
    ASSERT_EQ(shown.size(), c.dialog.isEmpty() ? 0u : 1u);
    if (!c.dialog.isEmpty()) {
      EXPECT_EQ(shown[0].text, c.dialog);
    }
    const auto& request = program.Dialogs().FileRequests().at(0);
    EXPECT_EQ(request.title, c.reading ? "Save file" : "Read file");
    EXPECT_EQ(request.filter, c.reading ? "BIN file KB90XX (*.bin)|*.bin" : "BIN file KB90XX (*.bin)|*.bin|other|*.*");
    EXPECT_EQ(program.WritesSinceLastOpen(), (std::vector<std::string>{"42", "76", "49"}));
    EXPECT_TRUE(program.LinkClosed());
    EXPECT_TRUE(AllButtonsEnabled(window));
  }
}

TEST(Kb90ReadWrite, WhileAnOperationRunsReadExitAndTheAdapterChoiceDoNothing) {
  // Long bounds: the jig falls silent mid-operation and the worker waits
  // until the test pulls the cable.
  qjig::ScopedWaitBounds patient({30s, 30s, 30s});
  struct Case {
    const char* name;
    bool reading;
    const char* fault;
  };
  const Case cases[] = {
      {"a read", true, "fault = silent-after 20\n"},
      {"a write", false, "fault = silent-after 600\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Kb90Window program(kEneJig + "target = kb9012\n" + c.fault, kSampleBase);
    TKB901X_forms& window = program.Window();
    window.show();
    const auto file = program.Path("chip.bin");
    WriteBytes(file, Bytes(131072, 0x00));
    program.Dialogs().QueueFileAnswer(QString::fromStdString(file.string()));
    (c.reading ? window.KB901X_READ : window.KB901X_WRITE)->click();
    const QStringList linesBefore = program.MemoLines();

    window.KB901X_READClick();
    window.EXIT_KB901XClick();
    Kb90Window::Choose(*window.ComboBox_KB901X, 0);
    EXPECT_EQ(program.Dialogs().FileRequests().size(), 1u);
    EXPECT_EQ(program.MemoLines(), linesBefore);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.ComboBox_KB901X->currentText(), "Select MB or BRIMEX here");
    EXPECT_TRUE(window.ComboBox_KB901X_FFC->isEnabled());

    program.Jig().Unplug();
    const auto pulled = std::chrono::steady_clock::now();
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_LT(std::chrono::steady_clock::now() - pulled, 10s);
    EXPECT_EQ(Tail(program.MemoLines(), 2), (QStringList{kLost, kTime}));
    EXPECT_TRUE(program.LinkClosed());
    EXPECT_TRUE(AllButtonsEnabled(window));
  }
}

TEST(Kb90ReadWrite, ASilentOrPulledJigEndsTheOperationWithinTheBound) {
  qjig::ScopedWaitBounds brief(kShortBounds);
  struct Case {
    const char* name;
    bool reading;
    const char* fault;
  };
  const Case cases[] = {
      {"silent in the middle of a read", true, "fault = silent-after 200\n"},
      {"pulled in the middle of a read", true, "fault = unplug-after 200\n"},
      {"silent in the middle of a write", false, "fault = silent-after 5000\n"},
      {"pulled in the middle of a verification", false, "fault = unplug-after 131700\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Kb90Window program(kEneJig + "target = kb9012\n" + c.fault, kSampleBase);
    TKB901X_forms& window = program.Window();
    const auto file = program.Path("chip.bin");
    WriteBytes(file, Bytes(131072, 0x00));
    program.Dialogs().QueueFileAnswer(QString::fromStdString(file.string()));
    (c.reading ? window.KB901X_READ : window.KB901X_WRITE)->click();
    ASSERT_TRUE(program.WaitIdle());
    EXPECT_EQ(Tail(program.MemoLines(), 2), (QStringList{kLost, kTime}));
    EXPECT_TRUE(program.LinkClosed());
    EXPECT_TRUE(AllButtonsEnabled(window));
    EXPECT_FALSE(window.LastOperationSucceeded());
  }
}

}  // namespace
