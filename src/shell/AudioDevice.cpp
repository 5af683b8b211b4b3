// AudioDevice.cpp -- SDL's audio device over the mixer: the callback mixes on
// SDL's own time; the tick only posts, so neither waits on the other.
#include "shell/AudioDevice.h"

#include <SDL.h>

#include <cstdio>

#include "sound/Mixer.h"

namespace {
// 10 ms at 44100 Hz: a bounce is heard within a frame or so.
constexpr Uint16 kDeviceFrames = 441;

SDL_AudioDeviceID gAudioDevice = 0;

void MixIntoDevice(void*, Uint8* stream, int length) {
  gMixer.Mix(reinterpret_cast<int16_t*>(stream), length / 4);
}
}  // namespace

bool OpenAudioDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec wanted{};
  wanted.freq = kSoundRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = kDeviceFrames;
  wanted.callback = MixIntoDevice;
  // No changes allowed: SDL converts to the device's own format behind us.
  gAudioDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  return gAudioDevice != 0;
}

void ReportNoSound() {
  std::fprintf(stderr, "courtball: no sound (%s); the game plays on\n", SDL_GetError());
  if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void PauseGameAudio(bool paused) {
  if (gAudioDevice != 0) SDL_PauseAudioDevice(gAudioDevice, paused ? 1 : 0);
}

void StopGameAudio() {
  if (gAudioDevice == 0) return;
  SDL_CloseAudioDevice(gAudioDevice);
  gAudioDevice = 0;
}
