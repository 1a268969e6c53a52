// Plays wave sound files. The program plays through SDL's audio; tests install a recorder.
#pragma once

#include <string>

namespace kubisto::app {

class WavePlayer {
 public:
  virtual ~WavePlayer() = default;
  // wait: return only when the sound has finished. A missing or unplayable file, or no sound
  // device: nothing is heard and the call returns at once. A sound started without waiting is
  // cut off by the next one.
  virtual void Play(const std::string& path, bool wait) = 0;
  // False when there is no sound device: every sound is silent and returns at once.
  virtual bool Audible() { return true; }
};

// The player in force: the installed one, or the SDL player.
WavePlayer& wavePlayer();
// Installs a player (nullptr restores the SDL player). The caller keeps ownership.
void setWavePlayer(WavePlayer* player);

}  // namespace kubisto::app
