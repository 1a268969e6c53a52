// The program directory and the mapping of path literals to file names of this system.
#pragma once

#include <string>

namespace kubisto::app {

// The folder that holds the program file, without a trailing separator (unless it is "/").
std::string ProgramDir();
// Overrides the program directory (tests); an empty string restores the real one.
void SetProgramDir(const std::string& dir);

// The path with every "\" turned into "/", so that literals such as "\sound\splash.wav" name files.
std::string NativePath(const std::string& path);

}  // namespace kubisto::app
