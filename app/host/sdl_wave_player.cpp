#include "app/host/sdl_wave_player.h"

#include <SDL2/SDL.h>

#include "app/host/paths.h"

namespace kubisto::app {

namespace {

SdlWavePlayer& sdlPlayer() {
  static SdlWavePlayer player;
  return player;
}

WavePlayer* g_installed = nullptr;

// Frees a buffer from SDL_LoadWAV when it goes out of scope.
struct WaveBuffer {
  Uint8* data = nullptr;
  Uint32 length = 0;
  ~WaveBuffer() {
    if (data != nullptr) SDL_FreeWAV(data);
  }
};

}  // namespace

WavePlayer& wavePlayer() { return g_installed ? *g_installed : sdlPlayer(); }

void setWavePlayer(WavePlayer* player) { g_installed = player; }

SdlWavePlayer::~SdlWavePlayer() {
  Stop();
  if (audioReady_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlWavePlayer::EnsureAudio() {
  // One attempt only: without a sound system every later sound is silent at once.
  if (!triedInit_) {
    triedInit_ = true;
    // The sound library would otherwise take SIGTERM and SIGINT for itself and turn them into
    // quit events that nobody reads: the program ends on them through its own handlers.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    audioReady_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  }
  return audioReady_;
}

void SdlWavePlayer::Stop() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
    device_ = 0;
  }
}

bool SdlWavePlayer::Playing() const { return device_ != 0 && SDL_GetQueuedAudioSize(device_) > 0; }

bool SdlWavePlayer::OpenFor(int freq, std::uint16_t format, std::uint8_t channels) {
  if (device_ != 0 && freq == freq_ && format == format_ && channels == channels_) return true;
  Stop();
  SDL_AudioSpec wanted{};
  wanted.freq = freq;
  wanted.format = format;
  wanted.channels = channels;
  wanted.samples = 1024;
  wanted.callback = nullptr;  // queued playback
  SDL_AudioSpec obtained{};
  // No changes allowed: SDL converts to the device's own format behind the scenes.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  openFailed_ = device_ == 0;
  if (device_ == 0) return false;
  freq_ = freq;
  format_ = format;
  channels_ = channels;
  deviceSamples_ = obtained.samples;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

bool SdlWavePlayer::Audible() {
  if (!EnsureAudio() || openFailed_) return false;
  // -1: the system cannot list its devices, which does not mean that it has none.
  return SDL_GetNumAudioDevices(0) != 0;
}

void SdlWavePlayer::Play(const std::string& path, bool wait) {
  if (!EnsureAudio()) return;
  // Any new sound ends the one still playing, even when the new one cannot be played.
  if (device_ != 0) SDL_ClearQueuedAudio(device_);
  SDL_AudioSpec spec{};
  WaveBuffer wave;
  const std::string file = NativePath(path);
  if (SDL_LoadWAV(file.c_str(), &spec, &wave.data, &wave.length) == nullptr) {
    wave.data = nullptr;
    return;  // missing or not a wave: nothing is heard
  }
  if (!OpenFor(spec.freq, spec.format, spec.channels)) return;
  if (SDL_QueueAudio(device_, wave.data, wave.length) != 0) return;
  if (!wait) return;

  // Play to the end. The bound guards against a device that stops consuming: the sound's own
  // length plus two seconds.
  const int bytesPerFrame =
      SDL_AUDIO_BITSIZE(spec.format) / 8 * (spec.channels > 0 ? spec.channels : 1);
  const double seconds = spec.freq > 0 && bytesPerFrame > 0
                             ? static_cast<double>(wave.length) / bytesPerFrame / spec.freq
                             : 0.0;
  const Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(seconds * 1000.0) + 2000;
  while (SDL_GetQueuedAudioSize(device_) > 0 && SDL_GetTicks64() < deadline) SDL_Delay(2);
  // The last piece taken from the queue is still in the device's own buffer: let it sound out.
  if (spec.freq > 0) SDL_Delay(static_cast<Uint32>(1000.0 * deviceSamples_ / spec.freq) + 1);
}

}  // namespace kubisto::app
