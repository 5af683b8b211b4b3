// Timings of the sound's share of a tick: one tick's mix with every voice
// busy, and the tick's bounce detection with its posts.
#include <benchmark/benchmark.h>

#include "loop/Game.h"
#include "sound/TickSounds.h"

namespace {
void FillLongClips(Mixer& mixer) {
  for (SoundClip& clip : mixer.clips) {
    clip.length = kMaxClipFrames;
    clip.samples = std::make_unique<int16_t[]>(clip.length);
    for (int i = 0; i < clip.length; ++i) clip.samples[i] = static_cast<int16_t>((i * 37) % 20000);
  }
}

// The worst case: all four voices sounding through the whole tick.
void BM_MixTick(benchmark::State& state) {
  auto mixer = std::make_unique<Mixer>();
  FillLongClips(*mixer);
  int16_t out[2 * kTickFrames];
  int tick = 0;
  for (auto _ : state) {
    if (tick++ % 40 == 0) {
      for (int s = 0; s < kSoundCount; ++s) mixer->Post({s, 0.25f * s - 0.5f});
    }
    mixer->Mix(out, kTickFrames);
    benchmark::DoNotOptimize(out[kTickFrames]);
  }
}
BENCHMARK(BM_MixTick);

// What the tick itself adds: the bounce test and a post, the ball on a wall.
void BM_PostTickSounds(benchmark::State& state) {
  gBall.position = Vertex{350.0f, 370.0f, 0.0f, 0.0f, 0.0f};
  gBall.velocity = Vertex{-5.0f, -3.0f, 10.0f, 0.0f, 0.0f};
  gBallResult = 0;
  int16_t out[2 * 64];
  for (auto _ : state) {
    benchmark::DoNotOptimize(PostTickSounds(Vertex{5.0f, 3.0f, 10.0f, 0.0f, 0.0f}));
    gMixer.Mix(out, 1);  // keeps the queue from filling
  }
}
BENCHMARK(BM_PostTickSounds);
}  // namespace
