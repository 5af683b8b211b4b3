// Mixer.h -- the game's sound: a few voices over short mono clips, each
// panned by where the ball was, mixed into 16-bit stereo at 44100 Hz. The
// game posts sounds from its tick; the audio device (or courtball-capture)
// mixes them on its own time, so neither ever waits for the other.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

constexpr int kSoundRate = 44100;
constexpr int kTickFrames = kSoundRate / 50;  // one 20 ms tick of sound
constexpr int kVoiceCount = 4;
constexpr int kMaxClipFrames = kSoundRate * 2;  // longer clips are cut here

// The sounds, in the order of their files in court/GameFiles.h.
enum SoundId { kWallSound, kRoofSound, kNearEndSound, kFarEndSound, kSoundCount };

// One sound's samples, mono at kSoundRate; empty plays as silence.
struct SoundClip {
  std::unique_ptr<int16_t[]> samples;
  int length = 0;
};

struct SoundEvent {
  int sound;  // a SoundId
  float pan;  // -1 all left .. +1 all right
};

class Mixer {
 public:
  SoundClip clips[kSoundCount];  // filled before mixing starts, then left alone
  std::atomic<int> muted{0};     // non-zero: every voice stops, and new sounds are dropped

  // From the game's thread: starts the sound at the next Mix. Never blocks;
  // a burst beyond the queue's room is dropped.
  void Post(SoundEvent event);
  // From the mixing side: starts what was posted, then writes frames of
  // interleaved left/right samples. A new sound takes a free voice, else the
  // one that started longest ago.
  void Mix(int16_t* out, int frames);

 private:
  struct Voice {
    int sound = -1;  // -1: free
    int position = 0;
    int32_t gainLeft = 0, gainRight = 0;  // 1 << 15 is full
    uint32_t started = 0;                 // order of starting, for stealing
  };
  static constexpr unsigned kQueueSize = 16;

  void Start(const SoundEvent& event);

  Voice voices_[kVoiceCount];
  uint32_t startCount_ = 0;
  SoundEvent queue_[kQueueSize] = {};
  std::atomic<unsigned> queueHead_{0}, queueTail_{0};
};

// The mixer the game and courtball-capture play through.
extern Mixer gMixer;
