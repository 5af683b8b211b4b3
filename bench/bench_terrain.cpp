// Timings of the floor's per-tick glow, the ball's step and the floor's draw
// on the headless software context.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "ball/Ball.h"
#include "headless/HeadlessContext.h"
#include "shell/core/RenderState.h"
#include "terrain/Terrain.h"

namespace {
// A bumpy floor covering the whole height range.
void LoadBumpyFloor(Terrain& t) {
  std::string bytes(1600, '\0');
  for (int v = 0; v < 1600; ++v) bytes[v] = static_cast<char>((v * 37 + (v / 40) * 11) % 256);
  std::istringstream in(bytes);
  t.LoadFromStream(in);
}

void BM_TerrainGlowNear(benchmark::State& state) {
  Terrain t;
  LoadBumpyFloor(t);
  float x = 0.0f;
  for (auto _ : state) {
    t.GlowNear(-120.0f, 20.0f, x, 1);
    x = x > 300.0f ? -300.0f : x + 7.0f;
    benchmark::DoNotOptimize(t.glow[820].y);
  }
}
BENCHMARK(BM_TerrainGlowNear);

// The whole step, floor queries and glow included; the ball keeps bouncing.
void BM_BallUpdate(benchmark::State& state) {
  Terrain t;
  LoadBumpyFloor(t);
  Ball ball;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ball.Update(&t));
    if ((state.iterations() & 1023) == 0) t.ClearGlow();
  }
}
BENCHMARK(BM_BallUpdate);

void BM_TerrainHeightAt(benchmark::State& state) {
  Terrain t;
  LoadBumpyFloor(t);
  float x = -350.0f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t.HeightAt(x, 0.37f * x));
    x = x > 350.0f ? -350.0f : x + 3.3f;
  }
}
BENCHMARK(BM_TerrainHeightAt);

// 2888 lit triangles through Mesa's software pipeline, finished each frame.
void BM_TerrainDraw(benchmark::State& state) {
  HeadlessContext context;
  std::string error;
  if (!context.Create(1024, 768, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  InitRenderState();
  ResizeViewport(1024, 768);
  OrbitCamera camera;
  camera.StartOrbit();
  camera.Update(Vertex{0.0f, 10.0f, 0.0f, 0.0f, 0.0f});
  Terrain t;
  LoadBumpyFloor(t);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    t.Draw(ViewState(camera));
    glFinish();
  }
}
BENCHMARK(BM_TerrainDraw)->Unit(benchmark::kMicrosecond);
}  // namespace
