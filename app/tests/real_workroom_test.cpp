// The shell over the real workroom, engine and bridge: a block picked with the right button is
// recoloured from the pop-up, and loading a 3-cell layout brings the status bar and the divide
// menu in step.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "app/windows/frm_file.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

class RealWorkRoomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = StartRealProgram();
    ASSERT_NE(window, nullptr);
    Pump(30);
  }
  void TearDown() override { EndRealProgram(); }

  QImage Shown() { return window->picView()->Framebuffer(); }

  // The centre of the pixels that differ between two pictures.
  static QPoint CentreOfChange(const QImage& before, const QImage& after, int* count) {
    long sx = 0, sy = 0, n = 0;
    for (int y = 0; y < after.height(); ++y)
      for (int x = 0; x < after.width(); ++x)
        if (before.pixel(x, y) != after.pixel(x, y)) {
          sx += x;
          sy += y;
          ++n;
        }
    *count = static_cast<int>(n);
    return n == 0 ? QPoint(-1, -1) : QPoint(static_cast<int>(sx / n), static_cast<int>(sy / n));
  }

  void CurrentBlock(std::int32_t& x, std::int32_t& y, std::int32_t& z, std::int32_t& c) {
    modMain::g_objWorkRoom->CurrentBlock(x, y, z, c);
  }

  ShellFixtureState state;
  frmMain* window = nullptr;
};

TEST_F(RealWorkRoomTest, RightClickOnABlockRecoloursItFromThePopup) {
  const QImage empty = Shown();
  ASSERT_FALSE(empty.isNull());
  window->button("cmdAdd")->click();
  const QImage withBlock = Shown();
  int changed = 0;
  const QPoint block = CentreOfChange(empty, withBlock, &changed);
  ASSERT_GT(changed, 20) << "the added block is drawn";
  const QColor drawn = withBlock.pixelColor(block);
  EXPECT_GT(drawn.blue(), drawn.green());  // a blue block

  // Clear the selection, then pick the block again with the right button.
  QTest::mouseClick(window->picView(), Qt::LeftButton, {}, QPoint(3, 3));
  std::int32_t x = 0, y = 0, z = 0, c = 0;
  CurrentBlock(x, y, z, c);
  ASSERT_EQ(x, -1);

  QString offered;
  OnNextPopup([&](QWidget* popup) {
    offered = popup->objectName();
    for (QAction* a : popup->actions())
      if (a->objectName() == "mnuPopupColorGreen") a->trigger();
    popup->close();
  });
  QTest::mouseClick(window->picView(), Qt::RightButton, {}, block);
  Pump(20);
  EXPECT_EQ(offered, "mnuPopupColor");
  CurrentBlock(x, y, z, c);
  EXPECT_EQ(std::vector<std::int32_t>({x, y, z, c}),
            std::vector<std::int32_t>({4, 4, 4, 0x00FF00}));
  const QColor recoloured = Shown().pixelColor(block);
  EXPECT_GT(recoloured.green(), recoloured.blue());
  EXPECT_EQ(window->sbrStatus()->PanelText(2), QStringLiteral("(4,4,4)を選択"));
}

TEST_F(RealWorkRoomTest, LoadingAThreeCellLayoutUpdatesStatusAndDivideMarks) {
  QFile file(QString::fromStdString(state.programDir + "/data/three.kbs"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("3\r\n0,0,0,255\r\n1,0,2,65280\r\n-1,-1,-1,0\r\n\"Kubisto\"\r\n");
  file.close();
  ASSERT_TRUE(window->mnuOptionDivideNum(2)->isChecked());

  OnNextModal([](QWidget* modal) {
    auto* files = qobject_cast<frmFile*>(modal);
    ClickFileName(files, 0);
    files->cmdOK()->click();
  });
  window->tlbToolBar_ButtonClick("Load");
  Pump(40);
  for (const auto& message : state.services.messages) ADD_FAILURE() << "message: " << message.text;
  EXPECT_EQ(modMain::g_objWorkRoom->Divide(), 3);
  EXPECT_EQ(window->sbrStatus()->PanelText(2), QStringLiteral("(1,0,2)を選択"));
  EXPECT_TRUE(window->mnuOptionDivideNum(0)->isChecked());
  EXPECT_FALSE(window->mnuOptionDivideNum(2)->isChecked());
  // The panel shows the file's real path.
  EXPECT_EQ(window->sbrStatus()->PanelText(1),
            QString::fromStdString(state.programDir + "/data/three.kbs"));
}

TEST_F(RealWorkRoomTest, SavingUnderATypedNameStoresItInTheDataFolder) {
  window->button("cmdAdd")->click();
  OnNextModal([](QWidget* modal) {
    auto* files = qobject_cast<frmFile*>(modal);
    files->txtFileName()->setText("room");
    files->cmdOK()->click();
  });
  window->tlbToolBar_ButtonClick("Save");
  for (const auto& message : state.services.messages) ADD_FAILURE() << "message: " << message.text;
  QFile saved(QString::fromStdString(state.programDir + "/data/room.kbs"));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().startsWith("5\r\n4,4,4,16711680\r\n-1,-1,-1,0\r\n"));
}

TEST_F(RealWorkRoomTest, CopyPutsThePictureOfTheViewOnTheClipboard) {
  window->action("mnuEditCopy")->trigger();
  for (const auto& message : state.services.messages) ADD_FAILURE() << "message: " << message.text;
  ASSERT_EQ(state.services.clipboard.size(), 1u);
  EXPECT_EQ(QSize(state.services.clipboard[0].width, state.services.clipboard[0].height),
            window->picView()->size());
}

}  // namespace
}  // namespace kubisto::app::test
