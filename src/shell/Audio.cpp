// Audio.cpp -- SDL's audio device over the mixer: the callback mixes on
// SDL's own thread; the tick only posts, so nothing waits on the device.
#include "shell/Audio.h"

#include <SDL.h>

#include <cstdio>

#include "shell/SoundFile.h"
#include "sound/Mixer.h"

namespace {
// 10 ms at 44100 Hz: a bounce is heard within a frame or so.
constexpr Uint16 kDeviceFrames = 441;

SDL_AudioDeviceID gAudioDevice = 0;

void MixIntoDevice(void*, Uint8* stream, int length) {
  gMixer.Mix(reinterpret_cast<int16_t*>(stream), length / 4);
}

void ReportNoSound(const char* what) {
  std::fprintf(stderr, "courtball: no sound (%s: %s); the game plays on\n", what, SDL_GetError());
}
}  // namespace

void StartGameAudio() {
  LoadGameSounds();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    ReportNoSound("audio");
    return;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = kSoundRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = kDeviceFrames;
  wanted.callback = MixIntoDevice;
  // No changes allowed: SDL converts to the device's own format behind us.
  gAudioDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (gAudioDevice == 0) {
    ReportNoSound("audio device");
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  SDL_PauseAudioDevice(gAudioDevice, 0);
}

void StopGameAudio() {
  if (gAudioDevice == 0) return;
  SDL_CloseAudioDevice(gAudioDevice);
  gAudioDevice = 0;
}
