// fuzz_floor.cpp -- feeds arbitrary bytes to the floor's height reader, then
// asks the queries the ball asks, at points the input chooses.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "terrain/Terrain.h"

namespace {
void Check(bool condition) {
  if (!condition) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Terrain terrain;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  terrain.LoadFromStream(in);
  for (int v = 0; v < Terrain::kVertexCount; ++v) {
    Check(terrain.vertices[v].y >= -30.0f && terrain.vertices[v].y <= 97.0f);
  }
  // Query points from the input's first bytes: anywhere, off the grid too.
  float point[2] = {0.0f, 0.0f};
  if (size > 0) std::memcpy(point, data, size < sizeof point ? size : sizeof point);
  const float height = terrain.HeightAt(point[0], point[1]);
  Check(terrain.NormalAt(point[0], point[1]).y > 0.0f);  // the floor always faces up
  terrain.GlowNear(point[1], height, point[0], static_cast<int>(size % 4));
  terrain.Scroll();
  return 0;
}
