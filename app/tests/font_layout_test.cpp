// The main window's client area and the view in it keep their sizes whatever the font: a taller
// font makes the menu bar taller and the window with it, never the view smaller. The ctest entries
// app_font_* run these and the other size and picture tests once with each of three common
// sans-serif families as the system's font (a fonts.conf of their own through FONTCONFIG_FILE).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenuBar>
#include <QToolBar>
#include <cstdlib>
#include <functional>

#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

// The application's font for the lifetime of the object.
class AppFont {
 public:
  explicit AppFont(int pixelSize) : m_saved(QApplication::font()) {
    QFont font = m_saved;
    font.setPixelSize(pixelSize);
    QApplication::setFont(font);
  }
  ~AppFont() { QApplication::setFont(m_saved); }

 private:
  QFont m_saved;
};

class FontLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { modMain::g_objWorkRoom = std::make_unique<FakeWorkRoom>(); }

  // What every font must leave as it is.
  static void ExpectDesignedLayout(frmMain& window) {
    const int menu = window.menuBar()->height();
    EXPECT_EQ(window.client()->size(), QSize(600, 400));
    EXPECT_EQ(window.client()->mapTo(&window, QPoint(0, 0)), QPoint(0, menu));
    EXPECT_EQ(window.size(), QSize(600, menu + 400));
    EXPECT_EQ(window.picView()->size(), QSize(417, 347));
    EXPECT_EQ(window.sbrStatus()->geometry(), QRect(0, 400 - 20, 600, 20));
    EXPECT_EQ(window.picView()->geometry().bottom() + 1, window.sbrStatus()->y());
  }

  // Lets events run until done() holds, for at most five seconds: on a busy machine a font change
  // takes several passes of the event loop to reach the layout.
  static void PumpUntil(const std::function<bool()>& done) {
    for (int waited = 0; waited < 5000 && !done(); waited += 20) Pump(20);
    Pump(20);
  }

  ShellFixtureState state;
};

TEST_F(FontLayoutTest, ALargeFontMakesTheWindowTallerAndKeepsTheView) {
  int usualMenu = 0;
  {
    frmMain window;
    window.show();
    Pump(20);
    usualMenu = window.menuBar()->height();
    ExpectDesignedLayout(window);
  }
  const AppFont large(22);
  frmMain window;
  window.show();
  PumpUntil([&] { return window.menuBar()->height() > usualMenu; });
  EXPECT_GT(window.menuBar()->height(), usualMenu);
  ExpectDesignedLayout(window);
}

TEST_F(FontLayoutTest, AFontChangeWhileShownMakesTheWindowTallerAndKeepsTheView) {
  frmMain window;
  window.show();
  Pump(20);
  const int usualMenu = window.menuBar()->height();
  {
    const AppFont large(22);
    PumpUntil([&] {
      return window.menuBar()->height() > usualMenu &&
             window.size() == QSize(600, window.menuBar()->height() + 400);
    });
    EXPECT_GT(window.menuBar()->height(), usualMenu);
    ExpectDesignedLayout(window);
  }
  PumpUntil([&] {
    return window.menuBar()->height() == usualMenu && window.size() == QSize(600, usualMenu + 400);
  });
  EXPECT_EQ(window.menuBar()->height(), usualMenu);
  ExpectDesignedLayout(window);
}

// Run by the app_font_* entries, each of which names the family it chose for the system's font.
TEST(SystemFontTest, TheChosenFamilyIsTheProgramsFont) {
  const char* family = std::getenv("KUBISTO_TEST_FONT");
  if (family == nullptr || *family == '\0') GTEST_SKIP() << "runs under ctest -R app_font_";
  const QString wanted = QString::fromUtf8(family);
  if (!QFontDatabase::families().contains(wanted)) {
    GTEST_SKIP() << family << " is not installed (scripts/setup.sh test installs it)";
  }
  EXPECT_EQ(QFontInfo(QApplication::font()).family(), wanted);
}

}  // namespace
}  // namespace kubisto::app::test
