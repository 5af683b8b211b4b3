// The floor: heights from short or missing files, queries at and beyond the grid's edges.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <vector>

#include "TestFiles.h"
#include "terrain/Terrain.h"

namespace {
// Loads height(column, row), each -30..97, through the byte mapping.
void Load(Terrain& t, const std::function<int(int, int)>& height) {
  std::string bytes;
  for (int v = 0; v < 1600; ++v) bytes += static_cast<char>((height(v / 40, v % 40) + 30) * 2);
  std::istringstream in(bytes);
  t.LoadFromStream(in);
}
}  // namespace

// Catches: bytes read row by row, odd bytes rounded up, short or missing files misread.
TEST(TerrainLoad, BytesColumnByColumnAndShortFiles) {
  std::string every, none, three = "\x64\x32\x07";
  for (int i = 0; i < 1700; ++i) every += static_cast<char>(i % 256);
  const struct {
    const std::string* bytes;  // null: no file
    int v;
    std::vector<float> xyz;  // column v / 40, row v % 40, 20 units apart from -400
  } cases[] = {{&every, 1, {-400, -30, -380}},  {&every, 13, {-400, -24, -140}},
               {&every, 61, {-380, 0, 20}},     {&every, 255, {-280, 97, -100}},
               {&none, 0, {-400, -30, -400}},   {&three, 1, {-400, -5, -380}},
               {&three, 1599, {380, -27, 380}}, {nullptr, 800, {0, -30, -400}}};
  for (const auto& c : cases) {
    const std::string dir = MakeTempDir("terrain");
    if (c.bytes != nullptr) WriteFile(dir + "/GData.tga", *c.bytes);
    ScopedWorkingDir cd(dir);
    Terrain t;
    t.Load();
    const Vertex& p = t.vertices[c.v];
    EXPECT_EQ((std::vector<float>{p.x, p.y, p.z}), c.xyz) << "vertex " << c.v;
  }
}

// Catches: the wrong triangle or cell, reads outside the grid; one raised vertex tells which.
TEST(TerrainQueries, TriangleChoiceTruncationAndClamping) {
  const struct {
    int bumpC, bumpR;
    float x, z;
    bool flat;
  } cases[] = {
      {11, 11, -200, -200, true},  {11, 11, -190, -190, true},
      {11, 11, -181, -199, true},  {11, 11, -189.6f, -189.2f, true},  // whole parts sum 20: near
      {11, 11, -189, -190, false}, {11, 11, -181, -181, false},
      {1, 2, -410, -365, true},    {1, 2, -405, -361, true},  // offset -10, -5: near, extended
      {1, 2, -398, -361, false},   {39, 39, 380, 380, true},
      {39, 39, 1e9f, 1e9f, true},  {39, 39, 379, 379, false}};
  for (const auto& k : cases) {
    Terrain t;
    Load(t, [&](int c, int r) { return (c == k.bumpC && r == k.bumpR) ? 80 : 0; });
    EXPECT_EQ(t.NormalAt(k.x, k.z).y == 1.0f, k.flat) << k.x << "," << k.z;
    if (k.flat) {
      EXPECT_EQ(t.HeightAt(k.x, k.z), 0.0f) << k.x << "," << k.z;
    }
  }
  Terrain corner;
  Load(corner, [](int c, int r) { return (c == 39 && r == 39) ? 97 : 0; });
  EXPECT_NEAR(corner.HeightAt(379, 379), 97.0f * 18 / 20, 1e-3);
  EXPECT_TRUE(std::isnan(corner.HeightAt(NAN, 0.0f)));
}
