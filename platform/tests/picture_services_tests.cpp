#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/paths.h"
#include "platform/picture.h"
#include "platform/services.h"

using namespace platform;

TEST(PictureTest, CreateAndCount) {
  Picture* p = CreatePicture(3, 2);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->width(), 3);
  EXPECT_EQ(p->height(), 2);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(p->pixels()[i], 0u);
  p->pixels()[5] = 0x00FF8000;  // the last pixel is writable
  EXPECT_EQ(p->AddRef(), 2u);
  EXPECT_EQ(p->Release(), 1u);
  EXPECT_EQ(p->Release(), 0u);  // deleted; the sanitizer build would catch a leak or a double free
}

TEST(PictureTest, BadSizesFail) {
  EXPECT_EQ(CreatePicture(0, 5), nullptr);
  EXPECT_EQ(CreatePicture(5, 0), nullptr);
  EXPECT_EQ(CreatePicture(-1, -1), nullptr);
  EXPECT_EQ(CreatePicture(kMaxPictureExtent + 1, 1), nullptr);
  EXPECT_EQ(CreatePicture(kMaxPictureExtent, kMaxPictureExtent), nullptr);  // too many pixels
  EXPECT_EQ(CreatePicture(0x7FFFFFFF, 0x7FFFFFFF), nullptr);
}

TEST(PictureTest, Palette) {
  Picture* p = CreatePicture(1, 1);
  ASSERT_NE(p, nullptr);
  EXPECT_FALSE(p->hasPalette());
  EXPECT_EQ(p->palette(), nullptr);
  uint32_t entries[256];
  for (int i = 0; i < 256; ++i) entries[i] = static_cast<uint32_t>(i * 0x010101);
  p->setPalette(entries);
  entries[255] = 0;  // the picture keeps its own copy
  ASSERT_TRUE(p->hasPalette());
  EXPECT_EQ(p->palette()[255], 0x00FFFFFFu);
  p->setPalette(nullptr);
  EXPECT_FALSE(p->hasPalette());
  p->Release();
}

TEST(ServicesTest, MessageBoxDefaultAndHandler) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBox(0, "Specified color model is not available.", "Vantrel.Dll", MB_OK), IDOK);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Vantrel.Dll"), std::string::npos);
  EXPECT_NE(err.find("Specified color model is not available."), std::string::npos);

  std::string seen;
  SetMessageBoxHandler(
      [&](HWND, const std::string& text, const std::string& caption, unsigned flags) {
        seen = caption + "|" + text + "|" + std::to_string(flags);
        return IDNO;
      });
  EXPECT_EQ(MessageBox(7, "ファイルが読めません。", "Kubisto", MB_YESNO), IDNO);
  EXPECT_EQ(seen, "Kubisto|ファイルが読めません。|4");
  SetMessageBoxHandler({});
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBox(0, "t", "c", MB_OK), IDOK);
  testing::internal::GetCapturedStderr();
}

TEST(ServicesTest, ProcessPendingMessages) {
  ProcessPendingMessages();  // the default does nothing
  int calls = 0;
  SetProcessMessagesHandler([&] { ++calls; });
  ProcessPendingMessages();
  ProcessPendingMessages();
  EXPECT_EQ(calls, 2);
  SetProcessMessagesHandler({});
  ProcessPendingMessages();
  EXPECT_EQ(calls, 2);
}

TEST(ServicesTest, SysColors) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), 0x00C0C0C0u);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0x00FFFFFFu);
  EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), 0u);
  EXPECT_EQ(GetSysColor(1), 0x00808000u);  // teal desktop, blue in the high byte
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(kSysColorCount), 0u);
  EXPECT_EQ(GetSysColor(255), 0u);
  SetSysColorHandler([](int i) { return static_cast<uint32_t>(i) + 1; });
  EXPECT_EQ(GetSysColor(15), 16u);
  SetSysColorHandler({});
  EXPECT_EQ(GetSysColor(15), 0x00C0C0C0u);
}

TEST(ServicesTest, ScreenDepth) {
  EXPECT_EQ(GetScreenBitsPerPixel(), 32);
  for (int bits : {0, 1, 8, 16, 24, 32}) {
    SetScreenBitsPerPixel(bits);
    EXPECT_EQ(GetScreenBitsPerPixel(), bits);
  }
}

TEST(PathsTest, NativePath) {
  EXPECT_EQ(NativePath("\\sound\\splash.wav"), "/sound/splash.wav");
  EXPECT_EQ(NativePath(".\\walls\\kita.bmp"), "./walls/kita.bmp");
  EXPECT_EQ(NativePath("/opt/kubisto\\\\data\\a.KBS"), "/opt/kubisto/data/a.KBS");
  EXPECT_EQ(NativePath("/opt/kubisto/"
                       "/help/kubisto.hlp"),
            "/opt/kubisto/help/kubisto.hlp");
  EXPECT_EQ(NativePath("plain.txt"), "plain.txt");
  EXPECT_EQ(NativePath(""), "");
  EXPECT_EQ(NativePath("データ\\積み木.KBS"), "データ/積み木.KBS");  // multibyte text untouched
}

TEST(PathsTest, ProgramDirectory) {
  const std::string dir = ProgramDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.front(), '/');
  EXPECT_NE(dir.back(), '/');
  EXPECT_EQ(dir, std::filesystem::canonical(KUBISTO_BIN_DIR).string());  // the tests lie in bin/
}
