// The program's title: the main window's caption and the caption of untitled messages.
#pragma once

namespace kubisto::app {

inline constexpr const char* kProgramTitle = "超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2";

}  // namespace kubisto::app
