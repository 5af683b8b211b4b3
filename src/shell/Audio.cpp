// Audio.cpp -- SDL's audio device over the mixer: the callback mixes on
// SDL's own thread; the tick only posts, so nothing waits on the device.
#include "shell/Audio.h"

#include <SDL.h>

#include <cstdio>

#include "shell/HeldStderr.h"
#include "shell/SoundFile.h"
#include "shell/TickLog.h"
#include "sound/Mixer.h"

namespace {
// 10 ms at 44100 Hz: a bounce is heard within a frame or so.
constexpr Uint16 kDeviceFrames = 441;

SDL_AudioDeviceID gAudioDevice = 0;

void MixIntoDevice(void*, Uint8* stream, int length) {
  gMixer.Mix(reinterpret_cast<int16_t*>(stream), length / 4);
}

bool OpenDevice() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec wanted{};
  wanted.freq = kSoundRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = kDeviceFrames;
  wanted.callback = MixIntoDevice;
  // No changes allowed: SDL converts to the device's own format behind us.
  gAudioDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (gAudioDevice != 0) LogAudioStart();  // its thread runs from here, silent while paused
  return gAudioDevice != 0;
}

// ALSA's library writes its own lines to stderr while SDL tries one audio
// driver after another; the game's one line says what failed instead.
bool OpenAudioDevice() {
  HeldStderr libraryLines;
  const bool opened = OpenDevice();
  libraryLines.Drop();
  return opened;
}
}  // namespace

void StartGameAudio() {
  LoadGameSounds();
  if (!OpenAudioDevice()) {
    std::fprintf(stderr, "courtball: no sound (%s); the game plays on\n", SDL_GetError());
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  SDL_PauseAudioDevice(gAudioDevice, 0);
}

void StopGameAudio() {
  if (gAudioDevice == 0) return;
  SDL_CloseAudioDevice(gAudioDevice);
  gAudioDevice = 0;
}

void PauseGameAudio(bool paused) {
  if (gAudioDevice != 0) SDL_PauseAudioDevice(gAudioDevice, paused ? 1 : 0);
}
