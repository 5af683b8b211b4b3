// PageSound.cpp -- the device waits for the first gesture; until then, and
// where there is none, each tick's sound is mixed and dropped (or handed to
// the page), exactly as the capture tool mixes it.
#include "web/PageSound.h"

#include <emscripten.h>

#include <cstdint>

#include "shell/AudioDevice.h"
#include "shell/SoundFile.h"
#include "sound/Mixer.h"

namespace {
enum class Device { kWaiting, kPlaying, kNone };

Device gDevice = Device::kWaiting;
int gMixTicks = 0;  // > 0: the page takes the first ticks' sound; no device
int16_t gTickSamples[2 * kTickFrames];

// The bodies are JavaScript, which the formatter would break.
// clang-format off
EM_JS(void, TellPageSoundState, (const char* state), {
  if (Module.onSound) Module.onSound(UTF8ToString(state));
});
EM_JS(void, TellPageSamples, (const int16_t* samples, int count), {
  if (Module.onSamples) Module.onSamples(HEAP16.slice(samples >> 1, (samples >> 1) + count));
});
// clang-format on
}  // namespace

void StartPageSound(int mixTicks) {
  gMixTicks = mixTicks;
  LoadGameSounds();
  TellPageSound();
}

void HearGesture() {
  if (gDevice != Device::kWaiting || gMixTicks > 0) return;
  if (OpenAudioDevice()) {
    PauseGameAudio(false);
    gDevice = Device::kPlaying;
  } else {
    ReportNoSound();
    gDevice = Device::kNone;
  }
  TellPageSound();
}

void MixPageTick(int tick) {
  if (gDevice == Device::kPlaying) return;
  gMixer.Mix(gTickSamples, kTickFrames);
  if (tick <= gMixTicks) TellPageSamples(gTickSamples, 2 * kTickFrames);
}

void PausePageSound(bool paused) { PauseGameAudio(paused); }

void TellPageSound() {
  if (gDevice == Device::kNone) {
    TellPageSoundState("none");
  } else if (gMixer.muted != 0) {
    TellPageSoundState("off");
  } else {
    TellPageSoundState(gDevice == Device::kPlaying ? "on" : "waiting");
  }
}
