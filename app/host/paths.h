// Where the program's files lie, and the mapping of path literals to file names of this system.
//
// Run from its build folder, everything lies beside the program: the read-only files (walls,
// sounds, pictures, help) and the folder "data" of the layouts. Installed, the program's folder has
// a sibling "<KUBISTO_SHAREDIR_FROM_BIN>" (normally "../share/kubisto") that holds the read-only
// files, and layouts go to a per-user folder; the install prefix is never written.
#pragma once

#include <string>

namespace kubisto::app {

// The folder of the program's read-only files, without a trailing separator (unless it is "/"):
// the program's own folder, or the shared folder when installed.
std::string ProgramDir();
// Overrides the program directory (tests); an empty string restores the real one.
void SetProgramDir(const std::string& dir);

// The folder of the layouts: ProgramDir() + "\data" beside the program; when installed, "data" in
// the per-user data folder (QStandardPaths::AppDataLocation, ~/.local/share/kubisto).
std::string DataDir();

// Whether the program runs installed.
bool RunsInstalled();

// The shared folder of an installed program whose own folder is programDir, when it exists
// ("" from a build folder).
std::string InstalledShareDir(const std::string& programDir);

// Sets up an installed program's folders: the working folder becomes the shared folder, so that
// the room's relative wall paths resolve from any starting folder, the per-user data folder is
// made, and the bridge library is taken from the private library folder. Needs the application name
// set. Does nothing from the build folder.
void SetUpInstalledFolders();

// The path with every "\" turned into "/", so that literals such as "\sound\splash.wav" name files.
std::string NativePath(const std::string& path);

}  // namespace kubisto::app
