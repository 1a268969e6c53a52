#include "app/sdl_wave_player.h"

#include <SDL2/SDL.h>

#include "app/paths.h"

namespace kubisto::app {

namespace {

SdlWavePlayer& sdlPlayer() {
  static SdlWavePlayer player;
  return player;
}

WavePlayer* g_installed = nullptr;

}  // namespace

WavePlayer& wavePlayer() { return g_installed ? *g_installed : sdlPlayer(); }

void setWavePlayer(WavePlayer* player) { g_installed = player; }

SdlWavePlayer::~SdlWavePlayer() {
  Stop();
  if (m_bAudioReady) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlWavePlayer::EnsureAudio() {
  // One attempt only: without a sound system every later sound is silent at once.
  if (!m_bTriedInit) {
    m_bTriedInit = true;
    m_bAudioReady = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  }
  return m_bAudioReady;
}

void SdlWavePlayer::Stop() {
  if (m_device != 0) {
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
  }
}

bool SdlWavePlayer::Playing() const {
  return m_device != 0 && SDL_GetQueuedAudioSize(m_device) > 0;
}

void SdlWavePlayer::Play(const std::string& path, bool wait) {
  // The next sound replaces one still playing.
  Stop();
  if (!EnsureAudio()) return;

  SDL_AudioSpec spec{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  const std::string file = NativePath(path);
  if (SDL_LoadWAV(file.c_str(), &spec, &buffer, &length) == nullptr) return;

  spec.callback = nullptr;  // queued playback
  spec.userdata = nullptr;
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &spec, nullptr, 0);
  if (device == 0) {
    SDL_FreeWAV(buffer);
    return;
  }
  const int queued = SDL_QueueAudio(device, buffer, length);
  SDL_FreeWAV(buffer);
  if (queued != 0) {
    SDL_CloseAudioDevice(device);
    return;
  }
  SDL_PauseAudioDevice(device, 0);

  if (!wait) {
    m_device = device;
    return;
  }

  // Play to the end. The bound guards against a device that stops consuming: the sound's own
  // length plus two seconds.
  const int bytesPerFrame = SDL_AUDIO_BITSIZE(spec.format) / 8 * (spec.channels > 0 ? spec.channels : 1);
  const double seconds = spec.freq > 0 && bytesPerFrame > 0
                             ? static_cast<double>(length) / bytesPerFrame / spec.freq
                             : 0.0;
  const Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(seconds * 1000.0) + 2000;
  while (SDL_GetQueuedAudioSize(device) > 0 && SDL_GetTicks64() < deadline) SDL_Delay(5);
  // The last queued piece is still in the device's own buffer: let it sound out.
  if (spec.freq > 0) SDL_Delay(static_cast<Uint32>(1000.0 * spec.samples / spec.freq) + 1);
  SDL_CloseAudioDevice(device);
}

}  // namespace kubisto::app
