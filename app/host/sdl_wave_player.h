// The wave player on SDL2's audio. One output device is kept open for as long as the sounds that
// follow each other share its format; a new sound replaces whatever is still queued on it.
#pragma once

#include <cstdint>

#include "app/host/wave_player.h"

namespace kubisto::app {

class SdlWavePlayer : public WavePlayer {
 public:
  SdlWavePlayer() = default;
  ~SdlWavePlayer() override;
  SdlWavePlayer(const SdlWavePlayer&) = delete;
  SdlWavePlayer& operator=(const SdlWavePlayer&) = delete;

  void Play(const std::string& path, bool wait) override;
  // The sound system is up, it lists an output device (or cannot tell) and none failed to open.
  bool Audible() override;

  // Stops a sound still playing and closes the device.
  void Stop();
  // True while a sound started without waiting is still being played.
  bool Playing() const;

 private:
  bool EnsureAudio();
  // Opens (or keeps) a device for the format; false when there is none.
  bool OpenFor(int freq, std::uint16_t format, std::uint8_t channels);

  bool triedInit_ = false;
  bool audioReady_ = false;
  bool openFailed_ = false;
  std::uint32_t device_ = 0;  // 0 = no device open
  int freq_ = 0;
  std::uint16_t format_ = 0;
  std::uint8_t channels_ = 0;
  std::uint16_t deviceSamples_ = 0;  // the device's own buffer, in sample frames
};

}  // namespace kubisto::app
