// The program's own pictures, kept as files in the folder "images" beside the program.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace kubisto::app {

// The picture images/<name> under the program directory (in English its twin <name>_en where
// there is one); a null pixmap when it is missing.
QPixmap ProgramPicture(const QString& name);
// The same as an icon; light grey 0xC0C0C0 is transparent in pictures without an alpha channel.
QIcon ProgramIcon(const QString& name);
// The window icon of every window of the program.
QIcon WindowIcon();

}  // namespace kubisto::app
