// The switch of the sound effects (Options → 効果音): on unless the user turned it off, kept in
// the user's settings. Off, no sound is played and nothing waits for one.
#pragma once

namespace kubisto::app {

// The switch as the settings hold it (read once, then kept).
bool SoundEffectsOn();
// Sets the switch and keeps it in the settings.
void SetSoundEffectsOn(bool on);
// Reads the switch from the settings again at its next use (tests that change where settings lie).
void ReloadSoundSetting();

// True when a sound played with waiting holds its caller: the effects are on and the sound player
// has a device to play them.
bool SoundsWait();

}  // namespace kubisto::app
