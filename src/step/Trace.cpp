// Trace.cpp -- one trace row per tick, read straight from the game's globals.
#include "step/Trace.h"

#include <cstdio>

#include "image/Textures.h"
#include "loop/Game.h"

namespace {
float SumGlow(const Vertex* glow, int count) {
  float sum = 0.0f;
  for (int i = 0; i < count; ++i) sum += glow[i].x + glow[i].y + glow[i].z + glow[i].s;
  return sum;
}

float SumGlow(const MeshModel& model) {
  return SumGlow(model.glow.get(), CappedCount(model.vertexCount));
}
}  // namespace

GlowSums ReadGlowSums() {
  return GlowSums{SumGlow(gWalls[0]),   SumGlow(gWalls[1]),
                  SumGlow(gWalls[2]),   SumGlow(gPaddles[0]),
                  SumGlow(gPaddles[1]), SumGlow(gTerrain.glow.get(), Terrain::kVertexCount)};
}

void PrintTraceHeader() {
  std::printf(
      "tick\tball.x\tball.y\tball.z\tvel.x\tvel.y\tvel.z\torbitAngle\tcam.x\tcam.y\tcam.z"
      "\tpitch\tyaw\troll\tfar.x\tfar.y\tfar.z\tnear.x\tnear.y\tnear.z"
      "\tglow.left\tglow.roof\tglow.right\tglow.far\tglow.near\tglow.floor"
      "\ttitle.frames\ttitle.angle\ttitle.size\tball.texture\n");
}

// The ball's texture is the GL name its frame drew with: names go out in the
// order the bitmaps load, so Ball1.bmp's is 3 and Ball6.bmp's 8.
void PrintTraceRow(int tick, const GlowSums& g) {
  const Vertex& b = gBall.position;
  const Vertex& v = gBall.velocity;
  const Vertex& c = gCamera.position;
  const Vertex& a = gCamera.angles;
  const Vec3& f = gPaddles[0].position;
  const Vec3& n = gPaddles[1].position;
  std::printf(
      "%d\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g"
      "\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g"
      "\t%d\t%.9g\t%.9g\t%u\n",
      tick, b.x, b.y, b.z, v.x, v.y, v.z, gCamera.orbitAngle, c.x, c.y, c.z, a.x, a.y, a.z, f.x,
      f.y, f.z, n.x, n.y, n.z, g.left, g.roof, g.right, g.farPaddle, g.nearPaddle, g.floor,
      gTitleFrameCount, gTitleAngle, gTitleSize, gBallTextures[gBallFrame]);
}
