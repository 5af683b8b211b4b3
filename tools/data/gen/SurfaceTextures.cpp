// SurfaceTextures.cpp -- the environment map and the ball's plasma frames.
#include <cmath>

#include "data/gen/ScenePictures.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Dir {
  double x, y, z;
};

double DotDir(Dir a, Dir b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Dir Normalised(Dir d) {
  double l = std::sqrt(DotDir(d, d));
  return {d.x / l, d.y / l, d.z / l};
}

// What the surroundings look like in direction r (eye space, y up). The
// ground half matters as much as the sky: upright faces seen from the
// camera's height reflect it.
Colour Surroundings(Dir r) {
  double e = r.y;
  Colour c;
  if (e >= 0.0) {
    c = Mix(Colour{0.98, 0.86, 0.66}, Colour{0.12, 0.30, 0.78}, std::pow(e, 0.55));
    double cloud = SmoothNoise(r.x / (e + 0.3) * 3.0 + 7.0, r.z / (e + 0.3) * 3.0 + 3.0, 17);
    c = Mix(c, Colour{1.0, 1.0, 1.0}, 0.3 * SmoothStep(0.6, 0.85, cloud) * SmoothStep(0.0, 0.2, e));
  } else {
    c = Mix(Colour{0.82, 0.62, 0.42}, Colour{0.45, 0.28, 0.16}, SmoothStep(0.0, 0.5, -e));
    c = Mix(c, Colour{0.12, 0.07, 0.05}, SmoothStep(0.5, 1.0, -e));
    // A ring of lamps around the arena floor, caught low in every reflection.
    double around = std::atan2(r.x, r.z);
    double lamps = 0.6 + 0.4 * std::cos(6.0 * around);
    c = c + Colour{1.0, 0.9, 0.7} * (0.45 * lamps * SmoothStep(0.09, 0.0, std::fabs(e + 0.53)));
  }
  c = c + Colour{1.0, 0.9, 0.75} * (0.55 * std::exp(-(e / 0.035) * (e / 0.035)));
  const Dir sun = Normalised({-0.55, 0.6, 0.6});
  double toward = std::fmax(0.0, DotDir(r, sun));
  c = c + Colour{1.0, 0.95, 0.8} * (1.6 * std::pow(toward, 400.0) + 0.35 * std::pow(toward, 12.0));
  // A long studio light overhead, to the right: a bright streak on flat faces.
  double strip = SmoothStep(0.10, 0.06, std::fabs(r.x - 0.45)) * SmoothStep(0.15, 0.3, e) *
                 SmoothStep(0.85, 0.7, e);
  return c + Colour{0.9, 0.9, 0.95} * (0.6 * strip);
}

double Plasma(double u, double v, double phase) {
  const double tau = 2.0 * kPi;
  double f = std::sin(tau * 2.0 * u + phase);
  f += std::sin(tau * (3.0 * v + u) + 1.3 * phase);
  f += std::sin(tau * (3.0 * u - 2.0 * v) - 0.8 * phase);
  f += std::sin(tau * u + 5.0 * std::sin(tau * v * 0.5) + 2.0 * phase);
  return f / 4.0;  // -1..1
}

}  // namespace

Picture PaintEnvMap() {
  Picture p(kEnvMapSize, kEnvMapSize);
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      // Sphere-map coordinates: t = 0 is the stored first (bottom) row.
      double sx = 2.0 * (x + 0.5) / p.width - 1.0;
      double sy = 1.0 - 2.0 * (y + 0.5) / p.height;
      double len = std::hypot(sx, sy);
      if (len > 0.999) {  // beyond the disc: repeat its rim
        sx *= 0.999 / len;
        sy *= 0.999 / len;
      }
      double nz = std::sqrt(std::fmax(0.0, 1.0 - sx * sx - sy * sy));
      p.At(x, y) = Surroundings({2.0 * nz * sx, 2.0 * nz * sy, 2.0 * nz * nz - 1.0});
    }
  }
  return p;
}

Picture PaintBallFrame(int frame) {
  Picture p(kBallTextureSize, kBallTextureSize);
  double phase = kPi * frame / kBallFrames;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      double f = Plasma((x + 0.5) / p.width, (y + 0.5) / p.height, phase);
      double g = 0.5 + 0.5 * f;
      // Fire from deep red to white: the ball is added onto the scene, so
      // its dark parts let the court show through and its bright parts glow.
      p.At(x, y) = Colour{0.30 + 0.70 * Clamp01(2.2 * g), 0.08 + 0.92 * Clamp01(2.2 * g - 0.7),
                          0.05 + 0.95 * Clamp01(3.0 * g - 2.0)};
    }
  }
  return p;
}
