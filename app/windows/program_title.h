// The program's title: the main window's caption and the caption of untitled messages.
#pragma once

#include <QCoreApplication>
#include <QString>

namespace kubisto::app {

// The title as written; the layout file's title line is the workroom's own copy of it.
inline constexpr const char* kProgramTitle =
    QT_TRANSLATE_NOOP("kubisto::app::Program", "超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2");

// The title in the language of the program's windows.
inline QString ProgramTitle() {
  return QCoreApplication::translate("kubisto::app::Program", kProgramTitle);
}

}  // namespace kubisto::app
