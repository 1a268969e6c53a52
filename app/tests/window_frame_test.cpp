// What a real window manager puts around the program's windows: the splash and the version window
// get a border and no title bar, the main window a title bar. Read from the frame extents the
// window manager publishes (_NET_FRAME_EXTENTS). The ctest entry app_frames_openbox runs these on
// an X server of their own under openbox (app/tests/under_openbox.sh); elsewhere they are skipped.
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QTest>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/windows/frm_main.h"
#include "app/windows/frm_splash.h"
#include "app/windows/mod_main.h"
#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 != nullptr ? x11->connection() : nullptr;
}

// The 32-bit values of a window's property (none when it is not set).
std::vector<std::uint32_t> Property(xcb_window_t window, const char* name) {
  xcb_connection_t* c = Connection();
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  if (atom == nullptr) return {};
  const xcb_atom_t id = atom->atom;
  std::free(atom);
  if (id == XCB_ATOM_NONE) return {};
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      c, xcb_get_property(c, 0, window, id, XCB_GET_PROPERTY_TYPE_ANY, 0, 16), nullptr);
  std::vector<std::uint32_t> values;
  if (reply != nullptr && reply->format == 32) {
    const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    values.assign(data, data + xcb_get_property_value_length(reply) / 4);
  }
  std::free(reply);
  return values;
}

struct Extents {
  std::uint32_t left = 0, right = 0, top = 0, bottom = 0;
};

// The frame the window manager has put around a shown window; fails the test when none comes.
Extents FrameOf(QWidget* window) {
  const auto id = static_cast<xcb_window_t>(window->winId());
  std::vector<std::uint32_t> values;
  const bool framed = QTest::qWaitFor(
      [&] {
        values = Property(id, "_NET_FRAME_EXTENTS");
        return values.size() == 4;
      },
      10000);
  EXPECT_TRUE(framed) << window->objectName().toStdString() << " has no _NET_FRAME_EXTENTS";
  if (!framed) return {};
  // The window manager may first publish the frame it plans and then the one it draws.
  Pump(100);
  values = Property(id, "_NET_FRAME_EXTENTS");
  return {values[0], values[1], values[2], values[3]};
}

class WindowFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("KUBISTO_TEST_WM") == nullptr ||
        QGuiApplication::platformName() != QStringLiteral("xcb")) {
      GTEST_SKIP() << "needs X11 and a window manager: ctest -R app_frames_openbox";
    }
    ASSERT_NE(Connection(), nullptr);
    // The script starts the window manager first; it announces itself on the root window.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(Connection())).data->root;
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !Property(root, "_NET_SUPPORTING_WM_CHECK").empty(); }, 10000))
        << "no window manager on " << qgetenv("DISPLAY").toStdString();
  }

  // A border on every side and no title bar: the top edge is as thin as the others.
  static void ExpectBorderOnly(frmSplash& window) {
    const Extents frame = FrameOf(&window);
    EXPECT_GT(frame.left, 0u);
    EXPECT_GT(frame.right, 0u);
    EXPECT_GT(frame.bottom, 0u);
    EXPECT_EQ(frame.top, frame.bottom) << "a title bar";
    // The border covers the picture's edge: the window is the picture's size, border included.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.frameGeometry().size() == QSize(299, 98); }))
        << window.frameGeometry().width() << " x " << window.frameGeometry().height();
  }

  ShellFixtureState state;
};

TEST_F(WindowFrameTest, TheSplashWindowHasABorderButNoTitleBar) {
  frmSplash splash;
  splash.show();
  ExpectBorderOnly(splash);
}

TEST_F(WindowFrameTest, TheVersionWindowHasABorderButNoTitleBar) {
  modMain::g_objWorkRoom = std::make_unique<FakeWorkRoom>();
  frmMain window;
  window.show();
  bool checked = false;
  OnNextModal([&](QWidget* modal) {
    auto* version = qobject_cast<frmSplash*>(modal);
    if (version != nullptr) {
      EXPECT_EQ(version->Mode(), "VERSION");
      ExpectBorderOnly(*version);
      checked = true;
    }
    QTest::mouseClick(modal, Qt::LeftButton, {}, QPoint(10, 90));
  });
  window.mnuHelpVersion_Click();
  EXPECT_TRUE(checked) << "the version window did not come up";
}

TEST_F(WindowFrameTest, TheMainWindowHasATitleBarAndKeepsItsClientArea) {
  modMain::g_objWorkRoom = std::make_unique<FakeWorkRoom>();
  frmMain window;
  window.show();
  const Extents frame = FrameOf(&window);
  EXPECT_GT(frame.left, 0u);
  EXPECT_GT(frame.top, frame.bottom) << "no title bar";
  EXPECT_EQ(window.client()->size(), QSize(600, 400));
}

}  // namespace
}  // namespace kubisto::app::test
