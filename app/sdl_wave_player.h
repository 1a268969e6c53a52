// The wave player on SDL2's audio: one device at a time, opened for the sound it plays.
#pragma once

#include <cstdint>

#include "app/wave_player.h"

namespace kubisto::app {

class SdlWavePlayer : public WavePlayer {
 public:
  SdlWavePlayer() = default;
  ~SdlWavePlayer() override;
  SdlWavePlayer(const SdlWavePlayer&) = delete;
  SdlWavePlayer& operator=(const SdlWavePlayer&) = delete;

  void Play(const std::string& path, bool wait) override;

  // Stops a sound still playing and closes its device.
  void Stop();
  // True while a sound started without waiting is still being played.
  bool Playing() const;

 private:
  bool EnsureAudio();

  bool m_bTriedInit = false;
  bool m_bAudioReady = false;
  std::uint32_t m_device = 0;  // device of the sound playing asynchronously, 0 = none
};

}  // namespace kubisto::app
