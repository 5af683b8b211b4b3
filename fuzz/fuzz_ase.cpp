// fuzz_ase.cpp -- feeds arbitrary bytes to the ASE reader, then runs every
// operation that indexes the arrays by what the file said.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "mesh/MeshModel.h"

namespace {
void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// Reads what Draw reads for every face it would draw, without a GL context.
float TouchDrawnCorners(const MeshModel& m) {
  float sum = 0.0f;
  for (int i = 0; i < CappedCount(m.faceCount); ++i) {
    const MeshFace& f = m.faces[i];
    if (!MeshModel::FaceDrawable(f)) continue;
    for (int v : {f.vertexA, f.vertexB, f.vertexC}) {
      sum += m.normals[v].x + m.glow[v].x + m.texVertices[v].x + m.vertices[v].x;
    }
  }
  return sum;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MeshModel model;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  model.LoadFromStream(in, 0.5f);
  Check(model.vertexCount >= 0 && model.vertexCount <= kMeshCapacity);
  Check(model.faceCount >= 0 && model.faceCount <= kMeshCapacity);
  Check(model.texVertexCount >= 0 && model.texVertexCount <= kMeshCapacity);

  model.SetColour(0.8f, 0.0f, 0.8f, 1);
  model.SetAlpha(0.6f);
  model.GlowNear(Vertex{0.0f, 0.0f, 0.0f, 0.0f, 0.0f}, size % 4);
  model.Flash(Vertex{0.0f, 0.0f, -400.0f, 0.0f, 0.0f});
  volatile float sink = TouchDrawnCorners(model);
  (void)sink;
  model.DecayGlow();
  model.EnableGlowDecay();
  model.DecayGlow();
  model.Scale(2.0f);
  return 0;
}
