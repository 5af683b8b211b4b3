// MeshGlow.cpp -- painting a mesh's per-vertex glow: the ball's light on the
// walls (GlowNear) and the white burst where the ball meets a paddle (Flash).
#include <cmath>

#include "mesh/MeshModel.h"

namespace {
constexpr double kGlowFull = 80.0;
constexpr double kGlowOuter = 200.0;
constexpr double kGlowRamp = 120.0;
constexpr float kGlowOuterSquared = 200.0f * 200.0f;
constexpr double kFlashCore = 10.0;
constexpr double kFlashOuter = 25.0;
constexpr double kFlashRamp = 15.0;

struct GlowColour {
  float r, g, b;
};

GlowColour ColourOfIndex(int colourIndex) {
  switch (colourIndex) {
    case 0: return {1.0f, 0.0f, 0.0f};
    case 1: return {1.0f, 1.0f, 1.0f};
    case 2: return {0.0f, 0.0f, 1.0f};
    default: return {-1.0f, -1.0f, 1.0f};
  }
}

// The vertex is paired with the point as the draw turns it (model z is up,
// model -y is world z); the halved squares make this the true distance / sqrt 2.
float HalvedSquares(const Vertex& v, float px, float py, float pz) {
  const float dx = v.x - px;
  const float dy = v.z - py;
  const float dz = -v.y - pz;
  return dx * dx / 2 + dy * dy / 2 + dz * dz / 2;
}

float RootOf(float squares) { return static_cast<float>(std::sqrt(static_cast<double>(squares))); }

// Halved squares summed, root in double: the true distance / sqrt 2.
float MeshDistance(const Vertex& v, float px, float py, float pz) {
  return RootOf(HalvedSquares(v, px, py, pz));
}
}  // namespace

void MeshModel::GlowNear(Vertex point, int colourIndex) {
  const GlowColour c = ColourOfIndex(colourIndex);
  const int count = CappedCount(vertexCount);
  for (int i = 0; i < count; ++i) {
    Vertex& g = glow[i];
    // The placement is not subtracted: the point meets the unplaced model.
    const float squares = HalvedSquares(vertices[i], point.x, point.y, point.z);
    // At or beyond the outer radius squared the root is too: skip it.
    const float d = squares >= kGlowOuterSquared ? kGlowOuter : RootOf(squares);
    if (d < kGlowFull) {
      g.x = c.r;
      g.y = c.g;
      g.z = c.b;
    } else if (d < kGlowOuter) {
      const double w = (kGlowOuter - d) / kGlowRamp;
      g.x = static_cast<float>(w * c.r);
      g.y = static_cast<float>(w * c.g);
      g.z = static_cast<float>(w * c.b);
    }
    // Capped from above only, near or far; alpha is the flash's.
    if (g.x > 1.0f) g.x = 1.0f;
    if (g.y > 1.0f) g.y = 1.0f;
    if (g.z > 1.0f) g.z = 1.0f;
  }
}

void MeshModel::Flash(Vertex point) {
  const float px = point.x - position.x;
  const float py = point.y - position.y;
  const float pz = point.z - position.z;
  const int count = CappedCount(vertexCount);
  for (int i = 0; i < count; ++i) {
    Vertex& g = glow[i];
    const float d = MeshDistance(vertices[i], px, py, pz);
    if (d < kFlashCore) {
      g.x += 1.0f;
      g.y += 1.0f;
      g.z += 1.0f;
      g.s = 1.0f;
    } else if (d < kFlashOuter) {
      // Flashes add up unclamped; the paddle's decay brings them down.
      const double w = (kFlashOuter - d) / kFlashRamp;
      g.x = static_cast<float>(g.x + w);
      g.y = static_cast<float>(g.y + w);
      g.z = static_cast<float>(g.z + w);
      g.s = static_cast<float>(g.s + w);
    }
  }
}
