// The splash and version window: texts, size, and the click that closes only the version window.
#include "app/windows/frm_splash.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

class FrmSplashTest : public ::testing::Test {
 protected:
  ShellFixtureState state;
};

TEST_F(FrmSplashTest, ShowsTheVersionAndBuildTextsAtThePicturesSize) {
  frmSplash splash;
  EXPECT_EQ(splash.Mode(), "SPLASH");
  EXPECT_EQ(splash.lblVersion()->text(), QStringLiteral("forWindows95/98 Ver.0.3bβ2"));
  EXPECT_EQ(splash.lblVerDate()->text(), QStringLiteral("build 1999/03/16"));
  EXPECT_EQ(splash.size(), QSize(299, 98));
  EXPECT_EQ(splash.lblVersion()->palette().color(QPalette::WindowText), QColor(255, 255, 255));
  // A dialog frame without a title bar: a border, but no caption and no buttons on it.
  EXPECT_FALSE(splash.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(splash.windowFlags() & Qt::CustomizeWindowHint);
  EXPECT_FALSE(splash.windowFlags() & Qt::WindowTitleHint);
  EXPECT_FALSE(splash.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(splash.windowTitle().isEmpty());
}

TEST_F(FrmSplashTest, AClickClosesTheVersionWindow) {
  frmSplash version;
  version.SetMode("VERSION");
  version.show();
  QTest::mouseClick(&version, Qt::LeftButton, {}, QPoint(30, 60));
  EXPECT_FALSE(version.isVisible());
}

TEST_F(FrmSplashTest, AClickDoesNothingToTheSplash) {
  frmSplash splash;
  splash.show();
  QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(30, 60));
  QTest::keyClick(&splash, Qt::Key_Escape);
  EXPECT_TRUE(splash.isVisible());
}

TEST_F(FrmSplashTest, AClickOnALabelDoesNotCloseTheVersionWindow) {
  frmSplash version;
  version.SetMode("VERSION");
  version.show();
  QTest::mouseClick(version.lblVersion(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(version.isVisible());
  // Escape does not close it either; only the click on the picture does.
  QTest::keyClick(&version, Qt::Key_Escape);
  EXPECT_TRUE(version.isVisible());
}

TEST_F(FrmSplashTest, ModalVersionWindowReturnsAfterTheClick) {
  frmSplash version;
  version.SetMode("VERSION");
  OnNextModal([](QWidget* modal) { QTest::mouseClick(modal, Qt::LeftButton, {}, QPoint(10, 90)); });
  version.exec();
  EXPECT_FALSE(version.isVisible());
}

}  // namespace
}  // namespace kubisto::app::test
