// The layout named on the command line, loaded once the program has started as the load command
// loads a file chosen in the file window.
#include "app/windows/status_bar.h"
#include "frm_main_fixture.h"
#include "workroom/room_commands.h"

namespace kubisto::app::test {
namespace {

using Calls = std::vector<std::string>;

TEST_F(FrmMainTest, AFileFromTheCommandLineIsLoadedAndShown) {
  window->sbrStatus()->SetPanelText(1, "old");
  window->OpenLayout("/home/someone/layouts/room.KBS");
  EXPECT_EQ(room->Commands(), Calls({"LoadData(/home/someone/layouts/room.KBS)"}));
  EXPECT_EQ(window->sbrStatus()->PanelText(1), QStringLiteral("/home/someone/layouts/room.KBS"));
  EXPECT_TRUE(state.services.messages.empty());
}

TEST_F(FrmMainTest, AVoxFileOfSeveralModelsIsShownWithANoteThatItsFirstWasRead) {
  room->loadedModels = 3;
  window->OpenLayout("/home/someone/models/castle.vox");
  EXPECT_EQ(room->Commands(), Calls({"LoadData(/home/someone/models/castle.vox)"}));
  const QString note =
      QCoreApplication::translate("kubisto::app::frmMain", commands::kSeveralModelsNote).arg(3);
  EXPECT_EQ(window->sbrStatus()->PanelText(1),
            QStringLiteral("/home/someone/models/castle.vox: ") + note);
  EXPECT_TRUE(note.contains(QLatin1String("3")));
  // A file of one model (or a layout file) shows its name alone.
  room->loadedModels = 1;
  window->OpenLayout("/home/someone/models/one.vox");
  EXPECT_EQ(window->sbrStatus()->PanelText(1), QStringLiteral("/home/someone/models/one.vox"));
}

TEST_F(FrmMainTest, ABadFileFromTheCommandLineIsReportedAndTheProgramGoesOn) {
  room->failLoad = true;
  window->OpenLayout("/nowhere/broken.kbs");
  ASSERT_EQ(state.services.messages.size(), 1u);
  EXPECT_NE(state.services.messages[0].text.find("broken.kbs"), std::string::npos);
  EXPECT_EQ(window->sbrStatus()->PanelText(1), QString());
  // The room stays usable: the next command reaches it.
  window->tlbToolBar_ButtonClick("FrontView");
  EXPECT_EQ(room->Commands().back(), "SetView(FRONT)");
}

}  // namespace
}  // namespace kubisto::app::test
