// The mixer (voices, panning, muting) and which bounce makes which sound where.
#include <gtest/gtest.h>

#include <vector>

#include "loop/Game.h"
#include "shell/core/GameInput.h"
#include "sound/TickSounds.h"

namespace {
// Each sound a flat run of its own level, so a mix tells which are playing.
void FillClips(Mixer& mixer, const int (&levels)[kSoundCount], const int (&lengths)[kSoundCount]) {
  for (int s = 0; s < kSoundCount; ++s) {
    mixer.clips[s].samples = std::make_unique<int16_t[]>(lengths[s]);
    for (int i = 0; i < lengths[s]; ++i)
      mixer.clips[s].samples[i] = static_cast<int16_t>(levels[s]);
    mixer.clips[s].length = lengths[s];
  }
}

std::vector<int16_t> Mix(Mixer& mixer, int frames) {
  std::vector<int16_t> out(2 * frames, 1);
  mixer.Mix(out.data(), frames);
  return out;
}
}  // namespace

// Catches: wrong level or length, panning turned round, a voice that never frees itself.
TEST(Mixer, SoundsPlayPannedToTheirSide) {
  Mixer mixer;
  FillClips(mixer, {10000, 20000, 0, 0}, {100, 100, 1, 1});
  const struct {
    float pan;
    int left, right;
  } cases[] = {
      {-1.0f, 10000, 3000}, {0.0f, 10000, 10000}, {1.0f, 3000, 10000}, {0.5f, 6500, 10000}};
  for (const auto& c : cases) {
    mixer.Post({kWallSound, c.pan});
    const std::vector<int16_t> out = Mix(mixer, 150);
    EXPECT_NEAR(out[0], c.left, 1) << c.pan;
    EXPECT_NEAR(out[1], c.right, 1) << c.pan;
    EXPECT_NEAR(out[2 * 99], c.left, 1) << c.pan;
    EXPECT_EQ(out[2 * 100], 0) << c.pan;
    EXPECT_EQ(out[2 * 149 + 1], 0) << c.pan;
  }
  mixer.Post({kWallSound, 0.0f});  // two at once add up, clipped at full scale
  mixer.Post({kRoofSound, 0.0f});
  EXPECT_EQ(Mix(mixer, 1)[0], 30000);
  mixer.Post({kRoofSound, 0.0f});
  mixer.Post({kRoofSound, 0.0f});
  EXPECT_EQ(Mix(mixer, 1)[0], 32767);
}

// Catches: a fifth sound dropped or taking a voice other than the oldest.
TEST(Mixer, ANewSoundTakesTheOldestVoice) {
  Mixer mixer;
  FillClips(mixer, {1, 10, 100, 1000}, {50, 1000, 1000, 1000});
  for (int s = 0; s < kSoundCount; ++s) {
    mixer.Post({s, 0.0f});
    Mix(mixer, 10);
  }
  mixer.Post({kRoofSound, 0.0f});
  const std::vector<int16_t> out = Mix(mixer, 20);
  EXPECT_EQ(out[0], 1120);   // the wall's voice, 40 frames in, now a second roof
  EXPECT_EQ(out[38], 1120);  // and no wall left to play out its 10 frames
}

// Catches: a muted mixer sounding, replaying what was posted muted, or staying muted.
TEST(Mixer, MutedIsSilentAndMTogglesIt) {
  gMixer.muted = 0;
  FillClips(gMixer, {1000, 1000, 1000, 1000}, {100, 100, 100, 100});
  gMixer.Post({kNearEndSound, 0.0f});
  Mix(gMixer, 10);
  HandleGameKey(kKeyM);
  EXPECT_NE(gMixer.muted, 0);
  gMixer.Post({kFarEndSound, 0.0f});
  const std::vector<int16_t> muted = Mix(gMixer, 20);
  EXPECT_EQ(muted, std::vector<int16_t>(40, 0));
  HandleGameKey(kKeyM);
  EXPECT_EQ(Mix(gMixer, 10), std::vector<int16_t>(20, 0));
  gMixer.Post({kFarEndSound, 0.0f});
  EXPECT_EQ(Mix(gMixer, 1)[0], 1000);
  for (SoundClip& clip : gMixer.clips) clip = SoundClip();
}

// Catches: a bounce missed, doubled or misnamed; the roof at an end; the pan not the ball's x.
TEST(TickSounds, EachBounceItsSoundPannedByX) {
  const struct {
    const char* what;
    float beforeX, x, y, vx, vy;
    int result;
    std::vector<int> sounds;
  } cases[] = {
      {"right wall", 5, 350, 0, -5, 2, 0, {kWallSound}},
      {"left wall", -5, -350, 0, 5, 2, 0, {kWallSound}},
      {"floor turns x near the wall", 0.1f, 349, 0, -0.1f, 2, 0, {}},
      {"on the wall, not turned", -5, 350, 0, -5, 2, 0, {}},
      {"roof", 1, 175, 370, 1, -4, 0, {kRoofSound}},
      {"below the roof, falling", 1, 175, 369, 1, -4, 0, {}},
      {"near end", 1, -175, 0, 1, 0, -1, {kNearEndSound}},
      {"far end at the roof", 1, -175, 370, 1, -4, 1, {kFarEndSound}},
      {"wall and near end", -5, -350, 0, 5, 0, -1, {kWallSound, kNearEndSound}},
  };
  for (const auto& c : cases) {
    gBall.position = Vertex{c.x, c.y, 0, 0, 0};
    gBall.velocity = Vertex{c.vx, c.vy, 3, 0, 0};
    gBallResult = c.result;
    SoundEvent events[kMaxTickSounds];
    const int count = TickSoundEvents(Vertex{c.beforeX, 1, 3, 0, 0}, events);
    ASSERT_EQ(count, static_cast<int>(c.sounds.size())) << c.what;
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(events[i].sound, c.sounds[i]) << c.what;
      EXPECT_EQ(events[i].pan, c.x / 350.0f) << c.what;
    }
  }
}
