#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "ProgramOnBench.h"
#include "app/TForm1.h"
#include "jigfw/TUPDATE_FORM.h"

namespace {

TEST(ExitTest, ExitEndsTheProgramAlsoWhileTheUpdateWindowIsShown) {
  testsupport::ProgramOnBench program("");
  program.Windows().UPDATE_FORM->show();  // as after a failed switch
  QTimer::singleShot(0, program.Windows().Form1->Exit, &QPushButton::click);
  QTimer giveUp;
  giveUp.setSingleShot(true);
  QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  giveUp.start(std::chrono::seconds(10));
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(program.Windows().Form1->isVisible());
}

}  // namespace
