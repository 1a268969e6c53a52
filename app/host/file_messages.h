// The failures of reading and writing layout files, as the program's windows show them: in the
// language of the windows, whatever language the workroom and the file calls word them in (a bad
// layout's line and reason, a refused or failed save, a file that cannot be read).
#pragma once

#include <QString>
#include <exception>

namespace kubisto::app {

// "Cannot read "path"." with the cause on a second line, in the windows' language.
QString LoadFailureText(const QString& path, const std::exception& error);
// "Cannot save to "path"." with the cause on a second line.
QString SaveFailureText(const QString& path, const std::exception& error);

}  // namespace kubisto::app
