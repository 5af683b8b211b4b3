// bench_mesh.cpp -- the per-tick and per-frame mesh costs: glow painting and
// fading over a full model, drawing it, and reading a full ASE file.
#include <GL/gl.h>
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>

#include "headless/HeadlessContext.h"
#include "mesh/MeshModel.h"

namespace {
// A 2000-vertex wall-like grid (50 x 40, 25 units apart) with 2000 faces.
std::unique_ptr<MeshModel> FullModel() {
  auto m = std::make_unique<MeshModel>();
  for (int i = 0; i < kMeshCapacity; ++i) {
    m->vertices[i] = Vertex{(i % 50) * 25.0f - 625.0f, 0.0f, (i / 50) * 25.0f, 0.0f, 0.0f};
    m->normals[i] = Vec3{0.0f, -1.0f, 0.0f};
  }
  for (int f = 0; f < kMeshCapacity; ++f) {
    const int v = f % (kMeshCapacity - 51);
    m->faces[f].SetVertices(v, v + 1, v + 50);
  }
  m->vertexCount = kMeshCapacity;
  m->faceCount = kMeshCapacity;
  return m;
}

void BM_GlowNear(benchmark::State& state) {
  auto m = FullModel();
  for (auto _ : state) {
    m->GlowNear(Vertex{0.0f, 100.0f, 0.0f, 0.0f, 0.0f}, 1);
    benchmark::DoNotOptimize(m->glow[0].x);
  }
}
BENCHMARK(BM_GlowNear);

void BM_DecayGlow(benchmark::State& state) {
  auto m = FullModel();
  m->EnableGlowDecay();
  for (auto _ : state) {
    m->glow[7].x = 1.0f;  // keep some glow alive so the fade has work
    m->DecayGlow();
    benchmark::DoNotOptimize(m->glow[0].x);
  }
}
BENCHMARK(BM_DecayGlow);

void BM_Draw(benchmark::State& state) {
  HeadlessContext context;
  std::string error;
  if (!context.Create(1024, 768, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  glMatrixMode(GL_PROJECTION);
  gluPerspective(60.0, 1024.0 / 768.0, 1.0, 12000.0);
  glMatrixMode(GL_MODELVIEW);
  OrbitCamera camera;
  camera.StartOrbit();
  camera.Update(Vertex{0.0f, 10.0f, 0.0f, 0.0f, 0.0f});
  auto m = FullModel();
  for (auto _ : state) {
    m->Draw(ViewState(camera), 0, 0);
    glFinish();  // count the rasterising, not just the queueing
  }
}
BENCHMARK(BM_Draw)->Unit(benchmark::kMicrosecond);

void BM_LoadFullFile(benchmark::State& state) {
  std::string text = "*MESH {\n *MESH_VERTEX_LIST {\n";
  for (int i = 0; i < kMeshCapacity; ++i) {
    text += "  *MESH_VERTEX " + std::to_string(i) + "\t-12.3456\t7.8912\t0.5000\n";
  }
  text += " }\n *MESH_FACE_LIST {\n";
  for (int i = 0; i < kMeshCapacity; ++i) {
    text += "  *MESH_FACE " + std::to_string(i) +
            ":    A:    0 B:    1 C:    2 AB:    1 BC:    1 CA:    0\t *MESH_SMOOTHING 1 \t"
            "*MESH_MTLID 0\n";
  }
  text += " }\n *MESH_NORMALS {\n";
  for (int i = 0; i < kMeshCapacity; ++i) {
    text += "  *MESH_VERTEXNORMAL " + std::to_string(i) + "\t0.0000\t0.0000\t1.0000\n";
  }
  text += " }\n}\n";
  for (auto _ : state) {
    MeshModel m;
    std::istringstream in(text);
    m.LoadFromStream(in, 3.9f);
    benchmark::DoNotOptimize(m.vertexCount);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadFullFile)->Unit(benchmark::kMillisecond);
}  // namespace
