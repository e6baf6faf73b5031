// The keyboard tester's window on a virtual bench: what its indicators,
// status label and buttons show while keys are pressed, hidden and cleared,
// what the jig hears, and how a scan ends.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include "app/ProgramOnBench.h"
#include "link/backends/SimDriver.h"
#include "modes/keyboard/TKeyboard_testing.h"
#include "support/QtWait.h"
#include "ui/ShapeIndicator.h"

namespace {

using namespace qjig;
using testsupport::WaitUntil;
using C = IndicatorColour;

// The window on a bench with one ENE_EDID_KB jig and the given keyboard
// line; it records every indicator change in order.
class KeyboardBench {
 public:
  explicit KeyboardBench(const std::string& jigLines)
      : program_("[jig]\nfirmware = ENE_EDID_KB\n" + jigLines), window_(*program_.Windows().Keyboard_testing) {
    QObject::connect(&window_, &TKeyboard_testing::IndicatorChanged,
                     [this](int index, IndicatorColour colour) { changes_.emplace_back(index, colour); });
    window_.show();
  }
  ~KeyboardBench() {
    if (window_.State().Is(kStateKeyboard)) Stop();
  }

  TKeyboard_testing& Window() { return window_; }
  sim::VirtualJig& Jig() {
    return *dynamic_cast<const SimDriver&>(*program_.Context().driver).Bench().jigs.at(0);
  }
  QString Status() const { return window_.Label_keyb_con->text(); }
  QColor Shown(int index) const { return window_.Indicator(index)->Colour(); }
  // The colours contact `index` went through, in order.
  std::vector<C> ChangesOf(int index) const {
    std::vector<C> colours;
    for (const auto& [changed, colour] : changes_)
      if (changed == index) colours.push_back(colour);
    return colours;
  }
  const std::vector<std::pair<int, C>>& Changes() const { return changes_; }

  void Start() {
    window_.START_SCAN->click();
    ASSERT_TRUE(window_.State().Is(kStateKeyboard)) << Status().toStdString();
  }
  // Lets the jig answer `scans` more scan requests.
  void LetScan(int scans) {
    const std::uint64_t until = Jig().HostByteCount() + static_cast<std::uint64_t>(scans);
    ASSERT_TRUE(WaitUntil([&] { return Jig().HostByteCount() >= until; }));
  }
  void Stop() {
    window_.START_SCAN->click();
    ASSERT_TRUE(WaitUntil([&] { return window_.State().Is(kStateNone); }));
  }
  bool AllShown(const QColor& colour) const {
    for (const Contact& contact : AllContacts())
      if (Shown(ContactIndex(contact)) != colour) return false;
    return true;
  }

 private:
  testsupport::ProgramOnBench program_;
  TKeyboard_testing& window_;
  std::vector<std::pair<int, C>> changes_;
};

const QColor kAqua = QColor::fromRgb(ColourRgb(C::Aqua));
const QColor kRed = QColor::fromRgb(ColourRgb(C::Red));
const QColor kBlack = QColor::fromRgb(ColourRgb(C::Black));

TEST(KeyboardWindow, IndicatorsAreFoundByNameWhereTheTriangleHasThem) {
  KeyboardBench bench("");
  TKeyboard_testing& window = bench.Window();
  EXPECT_EQ(window.findChildren<ui::ShapeIndicator*>().size(), static_cast<qsizetype>(kIndicatorCount));
  for (const Contact& contact : AllContacts()) {
    const QString name = "Shape" + QString::number(ContactIndex(contact));
    const auto* shape = window.findChild<ui::ShapeIndicator*>(name);
    ASSERT_TRUE(shape) << name.toStdString();
    const IndicatorPlace place = PlaceOf(contact);
    EXPECT_EQ(shape->geometry(), QRect(place.left, place.top, kIndicatorWidth, kIndicatorHeight));
    EXPECT_EQ(shape->Colour(), kAqua);
  }
  EXPECT_EQ(bench.Status(), "Press start scan");
  EXPECT_FALSE(window.CheckBox_HIDE->isEnabled());
}

TEST(KeyboardWindow, AStartWithoutTheRightJigSaysWhyAndStaysIdle) {
  struct Case { const char* bench; QString status; };
  const Case cases[] = {
      {"plugged = no\n", "Device not found"},
      {"fault = silent\n", "Device not found"},
      {"tag = M88_NPCE288_V2.4\n", "Please update FW"},
  };
  for (const Case& c : cases) {
    KeyboardBench bench(c.bench);
    bench.Window().START_SCAN->click();
    EXPECT_TRUE(bench.Window().State().Is(kStateNone)) << c.bench;
    EXPECT_EQ(bench.Status(), c.status) << c.bench;
    EXPECT_EQ(bench.Window().START_SCAN->text(), "START SCAN");
    EXPECT_TRUE(bench.Window().EXIT_KB_TEST->isEnabled());
  }
}

TEST(KeyboardWindow, ReportsWithoutContactsChangeNothingAndSoundNothing) {
  KeyboardBench bench("target = keyboard\n");
  bench.Start();
  EXPECT_EQ(bench.Status(), "Ready to work");
  EXPECT_EQ(bench.Window().START_SCAN->text(), "STOP");
  EXPECT_FALSE(bench.Window().EXIT_KB_TEST->isEnabled());
  bench.LetScan(50);
  bench.Stop();
  EXPECT_TRUE(bench.Changes().empty());
  EXPECT_EQ(bench.Jig().BuzzerCount(), 0);
  EXPECT_EQ(bench.Status(), "Press start scan");
  EXPECT_TRUE(bench.Window().EXIT_KB_TEST->isEnabled());
}

TEST(KeyboardWindow, AReportPaintsItsContactsRedThenSoundsTheBuzzerOnce) {
  // Held for the first scan only, and sent in three pieces.
  KeyboardBench bench("target = keyboard press=5-7@0..1,5-9@0..1,2-3@0..1 pieces=3\n");
  bench.Start();
  bench.LetScan(20);
  bench.Stop();
  EXPECT_EQ(bench.Changes(), (std::vector<std::pair<int, C>>{{135, C::Red}, {137, C::Red}, {35, C::Red}}));
  for (const int index : {135, 137, 35}) EXPECT_EQ(bench.Shown(index), kRed) << index;
  EXPECT_EQ(bench.Jig().BuzzerCount(), 1);
}

TEST(KeyboardWindow, AHeldKeyBlinksRedAndYellow) {
  KeyboardBench bench("target = keyboard press=5-7\n");
  bench.Start();
  ASSERT_TRUE(WaitUntil([&] { return bench.ChangesOf(135).size() >= 3; }));
  bench.Stop();
  const std::vector<C> colours = bench.ChangesOf(135);
  EXPECT_EQ(std::vector<C>(colours.begin(), colours.begin() + 3), (std::vector<C>{C::Red, C::Yellow, C::Red}));
  EXPECT_EQ(bench.Jig().BuzzerCount(), static_cast<int>(colours.size()));
}

TEST(KeyboardWindow, HideCurrentBlackensHeldContactsAndIgnoresThemAfterwards) {
  KeyboardBench bench("target = keyboard press=5-7,2-3,10-20@1500..\n");
  bench.Start();
  ASSERT_TRUE(WaitUntil([&] { return !bench.ChangesOf(35).empty(); }));
  bench.Window().CheckBox_HIDE->click();
  ASSERT_TRUE(WaitUntil([&] { return bench.Shown(135) == kBlack && bench.Shown(35) == kBlack; }));
  const std::size_t seen135 = bench.ChangesOf(135).size();
  const std::size_t seen35 = bench.ChangesOf(35).size();
  const int buzzes = bench.Jig().BuzzerCount();
  bench.LetScan(50);
  EXPECT_EQ(bench.Jig().BuzzerCount(), buzzes);
  // The new contact still shows.
  const int newContact = ContactIndex({10, 20});
  ASSERT_TRUE(WaitUntil([&] { return !bench.ChangesOf(newContact).empty(); }));
  bench.Stop();
  EXPECT_EQ(bench.ChangesOf(newContact).front(), C::Red);
  EXPECT_EQ(bench.ChangesOf(135).size(), seen135);
  EXPECT_EQ(bench.ChangesOf(35).size(), seen35);
  EXPECT_EQ(bench.Shown(135), kBlack);
  EXPECT_FALSE(bench.Window().CheckBox_HIDE->isChecked());
  EXPECT_FALSE(bench.Window().CheckBox_HIDE->isEnabled());
}

TEST(KeyboardWindow, ClearWhileIdleWaitsForTheNextScan) {
  KeyboardBench bench("target = keyboard press=5-7@0..1\n");
  bench.Start();
  bench.LetScan(5);
  bench.Stop();
  ASSERT_EQ(bench.Shown(135), kRed);
  bench.Window().Clear->click();
  QCoreApplication::processEvents();
  EXPECT_EQ(bench.Shown(135), kRed);
  bench.Start();
  ASSERT_TRUE(WaitUntil([&] { return bench.AllShown(kAqua); }));
  bench.Stop();
  EXPECT_EQ(bench.ChangesOf(135).back(), C::Aqua);
}

TEST(KeyboardWindow, BuzzerOffSendsNoSignalAndIsUntickedAtTheEnd) {
  KeyboardBench bench("target = keyboard press=5-7\n");
  bench.Window().Buzzer_box->click();
  bench.Start();
  ASSERT_TRUE(WaitUntil([&] { return bench.ChangesOf(135).size() >= 3; }));
  bench.Stop();
  EXPECT_EQ(bench.Jig().BuzzerCount(), 0);
  EXPECT_FALSE(bench.Window().Buzzer_box->isChecked());
}

TEST(KeyboardWindow, AJigThatGoesAwayEndsTheScanWithDeviceNotFound) {
  struct Case { const char* name; const char* jigLines; bool unplug; };
  const Case cases[] = {
      {"unplugged", "target = keyboard press=5-7\n", true},
      {"silent", "target = keyboard\nfault = silent-after 30\n", false},
  };
  for (const Case& c : cases) {
    KeyboardBench bench(c.jigLines);
    bench.Start();
    bench.LetScan(10);
    if (c.unplug) bench.Jig().Unplug();
    ASSERT_TRUE(WaitUntil([&] { return bench.Window().State().Is(kStateNone); })) << c.name;
    EXPECT_EQ(bench.Status(), "Device not found") << c.name;
    EXPECT_EQ(bench.Window().START_SCAN->text(), "START SCAN") << c.name;
    EXPECT_TRUE(bench.Window().EXIT_KB_TEST->isEnabled()) << c.name;
    EXPECT_TRUE(bench.Window().LastScanFailed()) << c.name;
  }
}

}  // namespace
