// Terrain.h -- the 40x40 height-field floor: heights from "GData.tga",
// vertex normals, height and normal queries, scrolling, glow and drawing.
#pragma once
#include <istream>
#include <memory>

#include "camera/OrbitCamera.h"
#include "math/MathTypes.h"

class Terrain {
 public:
  static constexpr int kSize = 40;
  static constexpr int kVertexCount = kSize * kSize;

  std::unique_ptr<Vertex[]> vertices;  // index 40 * column + row
  std::unique_ptr<Vertex[]> glow;      // red x, green y, blue z
  std::unique_ptr<Vec3[]> normals;
  Vec3 glowStep{0.0f, 0.01f, 0.0f};

  Terrain();

  // Reads the first 1600 bytes of "GData.tga" as heights, then the normals.
  void Load();
  void LoadFile(const char* path);  // the same from any file
  void LoadFromStream(std::istream& in);
  void ComputeNormals();
  void RefreshEdgeNormals();
  static int GridIndex(int row, int column) { return row + kSize * column; }
  // Index steps to a cell's other corners: one row on (z + 20), one column
  // on (x + 20).
  static constexpr int kNextRow = 1;
  static constexpr int kNextColumn = kSize;
  float HeightAt(float x, float z) const;
  Vertex NormalAt(float x, float z) const;

  // The point is given z first, then y, then x.
  void GlowNear(float pz, float py, float px, int colourIndex);
  void ClearGlow();
  void Scroll();
  // Draws the floor, then scrolls one column and clears the glow.
  void Draw(ViewState view);

 private:
  // The six-triangle average at one inner vertex (rows and columns 1..38).
  void ComputeVertexNormal(int row, int column);
  // Corner A and unit normal of the triangle under (x, z); the cell is
  // clamped to the grid, so only grid vertices are read.
  void TriangleUnder(float x, float z, Vertex& a, Vec3& n) const;
};
