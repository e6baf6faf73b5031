// The main of the test programs that need a QApplication. Windows are drawn
// offscreen unless QT_QPA_PLATFORM names a display, also when
// gtest_discover_tests runs the program at build time without the test's
// environment.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
