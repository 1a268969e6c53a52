// The program's windows stand in the centre of the screen with their frames.
#include "app/windows/window_placement.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "app/windows/frm_file.h"
#include "app/windows/frm_main.h"
#include "app/windows/frm_splash.h"
#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

void ExpectCentred(QWidget& window) {
  const QRect area = QGuiApplication::primaryScreen()->geometry();
  const QRect frame = window.frameGeometry();
  EXPECT_NEAR(frame.center().x(), area.center().x(), 1) << window.objectName().toStdString();
  EXPECT_NEAR(frame.center().y(), area.center().y(), 1) << window.objectName().toStdString();
}

TEST(WindowPlacementTest, MainFileAndSplashWindowsAreCentredWhenShown) {
  ShellFixtureState state;
  frmMain main;
  main.show();
  Pump(10);
  ExpectCentred(main);
  frmFile files(&main);
  files.show();
  Pump(10);
  ExpectCentred(files);
  files.hide();
  frmSplash splash;
  splash.show();
  Pump(10);
  ExpectCentred(splash);
  EXPECT_EQ(splash.frameGeometry().size(), QSize(299, 98));
}

TEST(WindowPlacementTest, AWindowIsPlacedAgainOnlyWhenItsFrameChanges) {
  QWidget window;
  window.resize(100, 50);
  int placed = 0;
  PlaceWhenFramed(&window, [&](QWidget*) { ++placed; });
  EXPECT_EQ(placed, 1);
  window.show();
  Pump(10);
  const int shown = placed;
  EXPECT_GE(shown, 2);  // the frame's size is first known on screen
  // Moved by the user: the frame is the same, the window stays where it was put.
  window.move(window.pos() + QPoint(40, 30));
  Pump(10);
  EXPECT_EQ(placed, shown);
}

}  // namespace
}  // namespace kubisto::app::test
