#include "app/host/sound_switch.h"

#include <optional>

#include "app/host/user_settings.h"
#include "app/host/wave_player.h"

namespace kubisto::app {

namespace {

constexpr const char* kKey = "sound/effects";
// Every sound asks for the switch: it is read from the settings once.
std::optional<bool> g_on;

}  // namespace

bool SoundEffectsOn() {
  if (!g_on) g_on = UserSettings().value(kKey, true).toBool();
  return *g_on;
}

void SetSoundEffectsOn(bool on) {
  g_on = on;
  UserSettings().setValue(kKey, on);
}

void ReloadSoundSetting() { g_on.reset(); }

bool SoundsWait() { return SoundEffectsOn() && wavePlayer().Audible(); }

}  // namespace kubisto::app
