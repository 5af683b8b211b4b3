// Mixer.cpp -- voices started from a lock-free queue, panned, summed and
// clipped; the muted mixer writes silence.
#include "sound/Mixer.h"

#include <algorithm>
#include <cstring>

Mixer gMixer;

namespace {
constexpr int32_t kUnityGain = 1 << 15;
// How far the far side fades at a full pan: still audible in both ears, as a
// sound from the side of a room is.
constexpr float kPanDepth = 0.7f;

int32_t Gain(float level) { return static_cast<int32_t>(level * kUnityGain + 0.5f); }
}  // namespace

void Mixer::Post(SoundEvent event) {
  const unsigned head = queueHead_.load(std::memory_order_relaxed);
  if (head - queueTail_.load(std::memory_order_acquire) >= kQueueSize) return;
  queue_[head % kQueueSize] = event;
  queueHead_.store(head + 1, std::memory_order_release);
}

void Mixer::Start(const SoundEvent& event) {
  if (event.sound < 0 || event.sound >= kSoundCount || clips[event.sound].length == 0) return;
  Voice* voice = &voices_[0];
  for (Voice& v : voices_) {
    if (v.sound < 0) {
      voice = &v;
      break;
    }
    if (v.started - voice->started > 0x80000000u) voice = &v;  // older, across the wrap too
  }
  const float pan = std::clamp(event.pan, -1.0f, 1.0f);
  voice->sound = event.sound;
  voice->position = 0;
  voice->gainLeft = Gain(1.0f - kPanDepth * std::max(pan, 0.0f));
  voice->gainRight = Gain(1.0f + kPanDepth * std::min(pan, 0.0f));
  voice->started = startCount_++;
}

void Mixer::Mix(int16_t* out, int frames) {
  const unsigned head = queueHead_.load(std::memory_order_acquire);
  unsigned tail = queueTail_.load(std::memory_order_relaxed);
  const bool silent = muted.load(std::memory_order_relaxed) != 0;
  for (; tail != head; ++tail) {
    if (!silent) Start(queue_[tail % kQueueSize]);
  }
  queueTail_.store(tail, std::memory_order_release);
  std::memset(out, 0, sizeof(int16_t) * 2 * static_cast<size_t>(frames));
  if (silent) {
    for (Voice& v : voices_) v.sound = -1;
    return;
  }
  for (int i = 0; i < frames; ++i) {
    int32_t left = 0, right = 0;
    for (Voice& v : voices_) {
      if (v.sound < 0) continue;
      const SoundClip& clip = clips[v.sound];
      const int32_t sample = clip.samples[v.position];
      left += (sample * v.gainLeft) >> 15;
      right += (sample * v.gainRight) >> 15;
      if (++v.position >= clip.length) v.sound = -1;
    }
    out[2 * i] = static_cast<int16_t>(std::clamp(left, -32768, 32767));
    out[2 * i + 1] = static_cast<int16_t>(std::clamp(right, -32768, 32767));
  }
}
