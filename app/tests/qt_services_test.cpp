// The Qt services: message boxes with their texts, buttons and icons; the clipboard picture.
#include "app/host/qt_services.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <cstdio>
#include <vector>

#include "app_test_support.h"
#include "platform/picture.h"
#include "platform/services.h"

namespace kubisto::app::test {
namespace {

class QtServicesTest : public ::testing::Test {
 protected:
  void SetUp() override { InstallQtServices(); }
  void TearDown() override { RemoveQtServices(); }

  // Answers the next message box with the given button, noting what it showed.
  void Answer(QMessageBox::StandardButton button) {
    OnNextModal([this, button](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      shownText = box->text();
      shownTitle = box->windowTitle();
      shownIcon = box->icon();
      shownButtons = box->standardButtons();
      box->button(button)->click();
    });
  }

  QString shownText;
  QString shownTitle;
  QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons shownButtons;
};

TEST_F(QtServicesTest, MessageBoxShowsTextCaptionButtonsAndIcon) {
  Answer(QMessageBox::Ok);
  EXPECT_EQ(services().MessageBox("ファイルが読めません。", vbOKOnly | vbExclamation, "注意"),
            vbOK);
  EXPECT_EQ(shownText, QStringLiteral("ファイルが読めません。"));
  EXPECT_EQ(shownTitle, QStringLiteral("注意"));
  EXPECT_EQ(shownIcon, QMessageBox::Warning);
  EXPECT_EQ(shownButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST_F(QtServicesTest, MessageBoxAnswersWithThePressedButton) {
  Answer(QMessageBox::No);
  EXPECT_EQ(services().MessageBox("?", vbYesNo | vbQuestion, "t"), vbNo);
  EXPECT_EQ(shownButtons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(shownIcon, QMessageBox::Question);
  Answer(QMessageBox::Cancel);
  EXPECT_EQ(services().MessageBox("!", vbOKCancel | vbCritical, "t"), vbCancel);
  EXPECT_EQ(shownIcon, QMessageBox::Critical);
}

TEST_F(QtServicesTest, AnUntitledMessageCarriesTheProgramTitle) {
  Answer(QMessageBox::Ok);
  services().MessageBox("Direct3Dの初期化に失敗しました。終了します", vbOKOnly, "");
  EXPECT_EQ(shownTitle, QString::fromStdString(services().AppTitle()));
  EXPECT_EQ(shownIcon, QMessageBox::NoIcon);
}

TEST_F(QtServicesTest, PlatformMessageBoxesGoThroughQt) {
  Answer(QMessageBox::Ok);
  EXPECT_EQ(platform::MessageBox(0, "Specified color model is not available.", "Vantrel.Dll",
                                 platform::MB_OK),
            platform::IDOK);
  EXPECT_EQ(shownText, QStringLiteral("Specified color model is not available."));
  EXPECT_EQ(shownTitle, QStringLiteral("Vantrel.Dll"));
}

TEST_F(QtServicesTest, ClipboardPictureIsAnImageAndPngBytes) {
  platform::Picture* picture = platform::CreatePicture(3, 2);
  ASSERT_NE(picture, nullptr);
  for (int i = 0; i < 6; ++i) picture->pixels()[i] = 0x102030u * static_cast<std::uint32_t>(i + 1);
  // The clipboard is emptied before the picture is put on it: what was there is not kept beside it.
  QGuiApplication::clipboard()->setText("old");
  std::vector<QStringList> seen;
  const auto watch = QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, [&] {
    const QMimeData* now = QGuiApplication::clipboard()->mimeData();
    seen.push_back(now != nullptr ? now->formats() : QStringList());
  });
  ASSERT_TRUE(services().SetClipboardPicture(*picture));
  QObject::disconnect(watch);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_TRUE(seen.front().isEmpty());
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasText());
  picture->Release();

  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  ASSERT_TRUE(data->hasImage());
  const QImage image = qvariant_cast<QImage>(data->imageData());
  ASSERT_EQ(image.size(), QSize(3, 2));
  EXPECT_EQ(image.pixel(2, 1) & 0xFFFFFFu, 0x102030u * 6 & 0xFFFFFFu);
  QImage png;
  ASSERT_TRUE(png.loadFromData(data->data("image/png"), "PNG"));
  EXPECT_EQ(png.size(), QSize(3, 2));
  EXPECT_EQ(png.pixel(1, 0) & 0xFFFFFFu, 0x102030u * 2);
}

TEST(QtServicesDeathTest, EndProgramEndsAtOnceWithoutRunningFurtherCode) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        QtServices host;
        host.EndProgram();
        std::fputs("still running", stderr);
      },
      ::testing::ExitedWithCode(0), ::testing::Not(::testing::HasSubstr("still running")));
}

}  // namespace
}  // namespace kubisto::app::test
