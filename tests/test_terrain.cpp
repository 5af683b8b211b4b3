// The floor: heights from bytes, normals, queries, scroll, glow and drawing.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>

#include "GlHarness.h"
#include "GlState.h"
#include "TestFiles.h"
#include "math/MathUtil.h"
#include "shell/core/RenderState.h"
#include "terrain/Terrain.h"

namespace {
// Loads height(column, row), each -30..97, through the byte mapping.
void Load(Terrain& t, const std::function<int(int, int)>& height) {
  std::string bytes;
  for (int v = 0; v < 1600; ++v) bytes += static_cast<char>((height(v / 40, v % 40) + 30) * 2);
  std::istringstream in(bytes);
  t.LoadFromStream(in);
}
int Slope(int c, int r) { return c + 2 * r - 30; }  // y = x/20 + z/10 + 30
bool Up(const Vec3& n) { return n.x == 0.0f && n.y == 1.0f && n.z == 0.0f; }
}  // namespace

TEST(TerrainLoad, BytesColumnByColumnAndShortFiles) {
  std::string every;
  for (int i = 0; i < 1700; ++i) every += static_cast<char>(i % 256);
  const struct {
    std::string bytes;
    int v;
    float y;
  } cases[] = {{every, 0, -30},
               {every, 1, -30},
               {every, 13, -24},
               {every, 60, 0},
               {every, 61, 0},
               {every, 254, 97},
               {every, 255, 97},
               {every, 1599, 1599 % 256 / 2 - 30},
               {"", 0, -30},
               {"", 1599, -30},
               {"\x64\x32\x07", 0, 20},
               {"\x64\x32\x07", 1, -5},
               {"\x64\x32\x07", 2, -27},
               {"\x64\x32\x07", 1599, -27},
               {"", -1, -30}};  // -1: no file
  for (const auto& k : cases) {
    std::string dir = MakeTempDir("terrain");
    if (k.v >= 0) WriteFile(dir + "/GData.tga", k.bytes);
    ScopedWorkingDir cd(dir);
    Terrain t;
    t.Load();
    const int v = k.v < 0 ? 800 : k.v;
    EXPECT_EQ(t.vertices[v].y, k.y) << "byte " << k.v << " of " << k.bytes.size();
    EXPECT_EQ(t.vertices[v].x, (v / 40 - 20) * 20.0f);
    EXPECT_EQ(t.vertices[v].z, (v % 40 - 20) * 20.0f);
    EXPECT_EQ(t.glow[v].y, 0.0f);
  }
}

TEST(TerrainQueries, LevelGround) {
  Terrain t;
  Load(t, [](int, int) { return 20; });
  for (int v = 0; v < 1600; ++v) ASSERT_TRUE(Up(t.normals[v])) << v;
  for (float x : {-419.5f, -400.0f, -13.7f, 0.0f, 379.9f, 390.0f, 5000.0f}) {
    const Vertex n = t.NormalAt(x, -0.7f * x);
    EXPECT_TRUE(t.HeightAt(x, -0.7f * x) == 20.0f && Up(Vec3{n.x, n.y, n.z})) << x;
  }
}

TEST(TerrainQueries, SlopedPlaneOnVerticesDiagonalsAndBeyond) {
  Terrain t;
  Load(t, Slope);
  const double len = std::sqrt(1.0 + 0.0025 + 0.01);  // normal (-1/20, 1, -1/10)
  const float points[][2] = {{-200, 100},        {0, 0},
                             {-190, 110},        {-181, 119},
                             {-197.5f, 102.25f}, {-182.5f, 118.75f},
                             {13.37f, -251.9f},  {379.5f, 379.5f},
                             {395, 0},           {900, -900},
                             {-415, 30},         {-419.9f, -405.5f}};
  for (const auto& p : points) {
    EXPECT_NEAR(t.HeightAt(p[0], p[1]), p[0] / 20.0 + p[1] / 10.0 + 30, 1e-3)
        << p[0] << "," << p[1];
    Vertex n = t.NormalAt(p[0], p[1]);
    EXPECT_NEAR(n.x, -0.05 / len, 1e-6);
    EXPECT_NEAR(n.y, 1.0 / len, 1e-6);
    EXPECT_NEAR(n.z, -0.1 / len, 1e-6);
  }
}

TEST(TerrainQueries, TriangleChoiceTruncationAndClamping) {
  // Level at 0 with one raised vertex: the triangles that hold it tilt, so a
  // flat answer says which triangle the query used.
  const struct {
    int bumpC, bumpR;
    float x, z;
    bool flat;
  } cases[] = {
      {11, 11, -200, -200, true},  {11, 11, -195, -190, true},       {11, 11, -190, -190, true},
      {11, 11, -181, -199, true},  {11, 11, -189.6f, -189.2f, true},  // whole parts sum 20
      {11, 11, -189, -190, false}, {11, 11, -181, -181, false},      {1, 2, -410, -365, true},
      {1, 2, -405, -361, true},  // offset -10, -5: near, extended
      {1, 2, -398, -361, false},   {39, 39, 380, 380, true},         {39, 39, 1e9f, 1e9f, true},
      {39, 39, 379, 379, false}};
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
  EXPECT_TRUE(std::isnan(corner.HeightAt(NAN, 0.0f)));  // no read outside the grid
}

namespace {
// The plane formula with every product and sum rounded to float in turn.
float PlaneInFloats(const Terrain& t, int a, int b, int c, float x, float z, bool wide) {
  Vec3 n;
  TriangleNormal(t.vertices[a], t.vertices[b], t.vertices[c], n);
  const Vertex& p = t.vertices[a];
  auto r = [wide](double v) { return wide ? v : double(float(v)); };
  double s = r(r(double(n.x) * p.x) - r(double(n.x) * x));
  s = r(s + r(double(n.y) * p.y));
  s = r(s + r(double(n.z) * p.z));
  s = r(s - r(double(n.z) * z));
  return float(s / n.y);
}
}  // namespace

TEST(TerrainQueries, HeightIsTheFloatFormulaToTheLastBit) {
  Terrain t;
  Load(t, [](int c, int r) { return (c * 37 + r * 59 + c * r) % 128 - 30; });
  int differsInDouble = 0;
  for (int i = 0; i < 400; ++i) {
    int c = 1 + i % 37, r = 1 + (i * 7) % 37, h = Terrain::GridIndex(r, c);
    float fx = 0.37f + (i * 13) % 19, fz = 0.61f + (i * 5) % 19;
    float x = (c - 20) * 20.0f + fx, z = (r - 20) * 20.0f + fz;
    bool far = int(fx) + int(fz) > 20;
    int a = far ? h + 40 : h, b = h + 1, cc = far ? h + 41 : h + 40;
    float expected = PlaneInFloats(t, a, b, cc, x, z, false);
    ASSERT_EQ(t.HeightAt(x, z), expected) << "point " << i;
    differsInDouble += PlaneInFloats(t, a, b, cc, x, z, true) != expected;
  }
  EXPECT_GT(differsInDouble, 0);  // the points do tell float from double
}

TEST(TerrainScroll, FortyScrollsBackInPlaceWithFreshNormals) {
  auto bumpy = [](int c, int r) { return (c * 11 + r * 3 + (c * r) % 7) % 110 - 30; };
  Terrain t;
  Load(t, bumpy);
  for (int k = 1; k <= 40; ++k) {
    t.Scroll();
    Terrain fresh;  // loaded as the scroll should have left it
    Load(fresh, [&](int c, int r) { return bumpy((c + k) % 40, r); });
    for (int v = 40; v < 1600; ++v) {  // column 0 takes column 1's normals, never drawn
      ASSERT_EQ(t.vertices[v].y, fresh.vertices[v].y) << "scroll " << k << " v " << v;
      ASSERT_EQ(t.vertices[v].x, fresh.vertices[v].x);
      const Vec3 &n = t.normals[v], &m = fresh.normals[v];
      ASSERT_TRUE(n.x == m.x && n.y == m.y && n.z == m.z) << "scroll " << k << " v " << v;
      if (v % 40 == 0 || v % 40 == 39 || v >= 1560) {
        ASSERT_TRUE(Up(n)) << "ring v " << v;
      }
    }
  }
}

TEST(TerrainGlow, DistanceColourIndexMirrorAndLimits) {
  // Level at 0; point at x 100, z -200, on the vertex (column 25, row 10).
  const struct {
    int index, c, r;
    float red, green, blue;
  } cases[] = {{1, 25, 10, 0, 1, 0},       {1, 35, 10, 0, 0.01f, 0},  // exactly 200 away: step only
               {1, 25, 19, 0, 0.11f, 0},   {1, 10, 25, 0, 0.01f, 0},  // 180 away; x and z swapped
               {0, 25, 10, 1, 0.01f, 0},   {2, 25, 10, 0, 0.01f, 1},
               {5, 25, 10, -1, -0.99f, 1}, {-3, 20, 10, -0.5f, -0.49f, 0.5f}};
  for (const auto& k : cases) {
    Terrain t;
    Load(t, [](int, int) { return 0; });
    t.GlowNear(-200.0f, 0.0f, 100.0f, k.index);
    const Vertex& g = t.glow[Terrain::GridIndex(k.r, k.c)];
    EXPECT_NEAR(g.x, k.red, 1e-6) << k.index << " at " << k.c << "," << k.r;
    EXPECT_NEAR(g.y, k.green, 1e-6) << k.index << " at " << k.c << "," << k.r;
    EXPECT_NEAR(g.z, k.blue, 1e-6) << k.index << " at " << k.c << "," << k.r;
  }
  Terrain t;  // only (25, 20) raised: it and its mirror (20, 25) differ
  Load(t, [](int c, int r) { return (c == 25 && r == 20) ? 97 : 0; });
  t.GlowNear(0.0f, 0.0f, 100.0f, 1);
  EXPECT_NEAR(t.glow[Terrain::GridIndex(20, 25)].y, 1.0f, 1e-6);  // mirror's height 0
  t.ClearGlow();
  t.GlowNear(100.0f, 0.0f, 0.0f, 1);
  EXPECT_NEAR(t.glow[Terrain::GridIndex(25, 20)].y, 0.525f, 1e-6);  // mirror's 97
  t.ClearGlow();
  for (int i = 0; i < 3; ++i) t.GlowNear(0.0f, 0.0f, -300.0f, i < 2 ? 0 : 7);
  const Vertex& g = t.glow[Terrain::GridIndex(20, 5)];
  EXPECT_NEAR(g.x, 0.0f, 1e-6);    // held at 1 twice, then lowered by 1
  EXPECT_NEAR(g.y, -0.97f, 1e-6);  // nothing holds the bottom
  EXPECT_EQ(g.z, 1.0f);
}

class TerrainDraw : public GlTest {};

TEST_F(TerrainDraw, HeightColourWorldLightThenScrollAndClear) {
  InitRenderState();
  ResizeViewport(1024, 768);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  OrbitCamera eye;  // 500 above the origin, looking straight down, +x right
  eye.position = Vertex{0, 500, 0, 0, 0};
  eye.angles = Vertex{90, 0, 0, 0, 0};
  Terrain t;
  Load(t, [](int c, int) { return c < 20 ? 20 : 97; });
  t.GlowNear(1000.0f, 0.0f, 0.0f, 2);  // out of reach: green + 0.01 only
  for (int v = 0; v < 800; ++v) t.glow[v].z = 0.4f;
  t.Draw(ViewState(eye));
  // Ambient 0.2 + 0.2, plus the world light (2000, 500, 100) on level ground.
  const float lit = 0.4f + 500.0f / std::sqrt(2000.0f * 2000 + 500 * 500 + 100 * 100);
  auto px = [lit](float c) {
    return int(std::lround(std::fmax(0.0f, std::fmin(1.0f, c * lit)) * 255));
  };
  Rgb low = PixelAt(200, 384), high = PixelAt(850, 384);  // k 0.2 and 0.97
  EXPECT_TRUE(Near(low, Rgb{px(0.2f), px(0.31f), px(0.4f)}, 2)) << low;
  EXPECT_TRUE(Near(high, Rgb{px(0.97f), 0, 0}, 2)) << high;
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(IsIdentity(GL_MODELVIEW_MATRIX));
  EXPECT_EQ(t.vertices[Terrain::GridIndex(0, 18)].y, 20.0f);  // scrolled one column
  EXPECT_EQ(t.vertices[Terrain::GridIndex(0, 19)].y, 97.0f);
  EXPECT_EQ(t.vertices[Terrain::GridIndex(0, 39)].y, 20.0f);
  for (int v = 0; v < 1600; ++v) ASSERT_EQ(t.glow[v].z, 0.0f);
}
