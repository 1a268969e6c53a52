// ApiCodeModule: the two system services the program uses outside its windows: playing a wave
// file and opening the help file.
#pragma once

#include <cstdint>
#include <string>

class QWidget;

namespace kubisto::app::ApiCodeModule {

// Plays a wave file. Wait non-zero: returns when the sound has finished; 0: starts it and
// returns. A missing or unplayable file plays nothing, at once, and is not reported; so does every
// file while the sound effects are off (app/host/sound_switch.h).
void PlayWave(const std::string& FileName, std::int16_t Wait);

// Opens the help file (the program directory followed by "/help/kubisto.hlp") at its contents
// in the help window owned by Owner.
void ShowHelp(QWidget* Owner);

}  // namespace kubisto::app::ApiCodeModule
