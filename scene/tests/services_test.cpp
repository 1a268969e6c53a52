// The headless services: what the scene classes and the workroom get without a host.
#include "scene/services.h"

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/picture.h"
#include "platform/services.h"

namespace kubisto {
namespace {

TEST(HeadlessServices, MessageBoxAndDoEventsReachThePlatform) {
  setServices(nullptr);
  std::string seen;
  unsigned seenFlags = 0;
  platform::HWND seenOwner = 99;
  platform::SetMessageBoxHandler([&](platform::HWND owner, const std::string& text,
                                     const std::string& caption, unsigned flags) {
    seenOwner = owner;
    seen = caption + "|" + text;
    seenFlags = flags;
    return platform::IDCANCEL;
  });
  int processed = 0;
  platform::SetProcessMessagesHandler([&] { ++processed; });

  EXPECT_EQ(services().MessageBox("本文", vbExclamation | vbOKCancel, "題"), vbCancel);
  EXPECT_EQ(seenOwner, 0u);
  EXPECT_EQ(seen, "題|本文");
  EXPECT_EQ(seenFlags, platform::MB_ICONEXCLAMATION | platform::MB_OKCANCEL);
  services().DoEvents();
  EXPECT_EQ(processed, 1);

  platform::SetMessageBoxHandler({});
  platform::SetProcessMessagesHandler({});
}

TEST(HeadlessServices, TitleFolderSoundAndClipboard) {
  setServices(nullptr);
  EXPECT_EQ(services().AppTitle(), "超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2");
  EXPECT_EQ(services().ProgramDir(), platform::ProgramDirectory());
  services().PlayWave("/no/such.wav", true);  // silent, at once
  platform::Picture* picture = platform::CreatePicture(2, 2);
  ASSERT_NE(picture, nullptr);
  EXPECT_FALSE(services().SetClipboardPicture(*picture));
  picture->Release();
}

TEST(HeadlessServicesDeathTest, EndProgramEndsAtOnceWithoutFurtherWork) {
  setServices(nullptr);
  EXPECT_EXIT(
      {
        std::fputs("before\n", stderr);
        services().EndProgram();
        std::fputs("after\n", stderr);  // never reached
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "before\n$");
}

}  // namespace
}  // namespace kubisto
