// SoundEffects.cpp -- each sound a few decaying partials with a soft attack,
// computed in double precision from the sample index alone, so the bytes are
// the same on every run.
#include "data/gen/SoundEffects.h"

#include <cmath>
#include <vector>

#include "common/WavFile.h"
#include "sound/Mixer.h"

namespace {
struct Partial {
  double hertz, level;
};

struct Effect {
  double seconds;
  double decay;  // per second, of the amplitude's exponent
  double drop;   // the pitch falls by this share over the first 50 ms
  Partial partials[3];
};

// Loud enough to hear over nothing else, with room for four voices at once.
constexpr double kPeak = 0.45;
constexpr double kPi = 3.14159265358979323846;

const Effect kEffects[kSoundCount] = {
    {0.09, 45.0, 0.0, {{1320.0, 0.6}, {2640.0, 0.25}, {3960.0, 0.15}}},  // side wall: glass
    {0.16, 28.0, 0.0, {{1760.0, 0.55}, {2217.0, 0.3}, {3520.0, 0.15}}},  // roof: a ring
    {0.14, 30.0, 0.25, {{392.0, 0.7}, {784.0, 0.2}, {1176.0, 0.1}}},     // near end: a knock
    {0.14, 40.0, 0.25, {{294.0, 0.8}, {588.0, 0.2}, {0.0, 0.0}}},        // far end: further off
};
const double kEndLevel[kSoundCount] = {0.8, 0.7, 1.0, 0.55};

std::vector<int16_t> Synthesise(const Effect& e, double level) {
  const int frames = static_cast<int>(e.seconds * kSoundRate);
  std::vector<int16_t> samples(frames);
  double phase[3] = {0, 0, 0};
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kSoundRate;
    const double bend = 1.0 + e.drop * std::exp(-t / 0.05);
    const double attack = std::fmin(1.0, t / 0.002);
    const double release = std::fmin(1.0, (e.seconds - t) / 0.01);  // no click at the end
    double value = 0.0;
    for (int p = 0; p < 3; ++p) {
      phase[p] += 2.0 * kPi * e.partials[p].hertz * bend / kSoundRate;
      value += e.partials[p].level * std::sin(phase[p]);
    }
    value *= kPeak * level * attack * release * std::exp(-e.decay * t);
    samples[i] = static_cast<int16_t>(std::lround(value * 32767.0));
  }
  return samples;
}
}  // namespace

std::string EncodeSoundEffect(GameFileId id) {
  const int sound = id - kFirstSoundFile;
  std::vector<int16_t> samples = Synthesise(kEffects[sound], kEndLevel[sound]);
  return EncodeWav(samples.data(), samples.size(), 1, kSoundRate);
}
