// Terrain.cpp -- the floor's storage, its heights from "GData.tga", the vertex
// normals and the height and normal queries the ball asks every tick.
#include "terrain/Terrain.h"

#include "math/MathUtil.h"
#include "platform/DataFile.h"

namespace {
constexpr int kLast = Terrain::kSize - 1;  // 39: last row and column

// Float to int toward zero. Beyond the int range (or NaN) the value is held
// at its edge, where the cell clamps anyway, so the conversion stays defined.
int TruncateToward0(float v) {
  constexpr float kLimit = 2147483520.0f;  // the largest float below 2^31
  if (!(v > -kLimit)) return -2147483520;
  if (v > kLimit) return 2147483520;
  return static_cast<int>(v);
}

int ClampCell(int cell) {
  if (cell < 0) return 0;
  if (cell > kLast - 1) return kLast - 1;
  return cell;
}
}  // namespace

Terrain::Terrain()
    : vertices(std::make_unique<Vertex[]>(kVertexCount)),
      glow(std::make_unique<Vertex[]>(kVertexCount)),
      normals(std::make_unique<Vec3[]>(kVertexCount)) {
  // Straight up until computed: the outer ring keeps it, so the far edge is
  // lit like level ground.
  for (int v = 0; v < kVertexCount; ++v) normals[v] = Vec3{0.0f, 1.0f, 0.0f};
  ClearGlow();
}

void Terrain::Load() { LoadFile("GData.tga"); }

void Terrain::LoadFile(const char* path) {
  // Raw bytes, no line-end translation: every byte is a height. Anything but
  // a regular file gives none, and so a flat floor.
  DataFile file(path);
  DataFileBuffer buffer(file, kVertexCount);
  std::istream in(&buffer);
  LoadFromStream(in);
}

void Terrain::LoadFromStream(std::istream& in) {
  // A failed read keeps the last byte: a short file repeats its last height,
  // an empty one gives byte 0 (-30) everywhere.
  int byte = 0;
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) {
      int read = in.get();
      if (read != std::istream::traits_type::eof()) byte = read & 0xff;
      Vertex& vertex = vertices[GridIndex(r, c)];
      vertex.x = static_cast<float>(c - 20) * 20.0f;
      vertex.z = static_cast<float>(r - 20) * 20.0f;
      vertex.y = static_cast<float>(byte >> 1) - 30.0f;
    }
  }
  ComputeNormals();
}

// Average of the six unit normals of the triangles around the vertex at
// (row, column); left at below unit length on uneven ground.
void Terrain::ComputeVertexNormal(int row, int column) {
  const Vertex* w = vertices.get();
  auto at = [&](int r, int c) { return w[GridIndex(r, c)]; };
  const int r = row, c = column;
  Vertex corners[6][3] = {
      {at(r - 1, c), at(r, c - 1), at(r, c)},     {at(r, c - 1), at(r + 1, c - 1), at(r, c)},
      {at(r, c), at(r + 1, c - 1), at(r + 1, c)}, {at(r, c), at(r + 1, c), at(r, c + 1)},
      {at(r - 1, c + 1), at(r, c), at(r, c + 1)}, {at(r - 1, c), at(r, c), at(r - 1, c + 1)},
  };
  Vec3 sum{0.0f, 0.0f, 0.0f};
  for (const auto& t : corners) {
    Vec3 n;
    TriangleNormal(t[0], t[1], t[2], n);
    sum.x += n.x;
    sum.y += n.y;
    sum.z += n.z;
  }
  normals[GridIndex(row, column)] = Vec3{sum.x / 6.0f, sum.y / 6.0f, sum.z / 6.0f};
}

void Terrain::ComputeNormals() {
  for (int r = 1; r < kLast; ++r) {
    for (int c = 1; c < kLast; ++c) ComputeVertexNormal(r, c);
  }
}

// After a scroll only the columns beside the wrapped one are stale.
void Terrain::RefreshEdgeNormals() {
  for (int c = kLast - 3; c < kLast; ++c) {
    for (int r = 1; r < kLast; ++r) ComputeVertexNormal(r, c);
  }
}

// The triangle under (x, z): its corner A and its normal. The cell comes from
// whole units toward zero, so offsets may be negative just below the grid.
void Terrain::TriangleUnder(float x, float z, Vertex& a, Vec3& n) const {
  float xs = x + 400.0f;
  float zs = z + 400.0f;
  int ix = TruncateToward0(xs);
  int iz = TruncateToward0(zs);
  int rx = ix % 20, rz = iz % 20;
  bool farTriangle = rx + rz > 20;
  int h = GridIndex(ClampCell(iz / 20), ClampCell(ix / 20));
  int ia = farTriangle ? h + kNextColumn : h;
  int ib = h + kNextRow;
  int ic = farTriangle ? h + kNextRow + kNextColumn : h + kNextColumn;
  a = vertices[ia];
  TriangleNormal(a, vertices[ib], vertices[ic], n);
}

float Terrain::HeightAt(float x, float z) const {
  Vertex a;
  Vec3 n;
  TriangleUnder(x, z, a, n);
  // Left to right in floats, exactly as written: the ball's path depends on it.
  float y = n.x * a.x - n.x * x + n.y * a.y + n.z * a.z - n.z * z;
  return y / n.y;
}

Vertex Terrain::NormalAt(float x, float z) const {
  Vertex a;
  Vec3 n;
  TriangleUnder(x, z, a, n);
  return Vertex{n.x, n.y, n.z, 0.0f, 0.0f};
}
