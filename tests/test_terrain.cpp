// The floor: heights from bytes, normals, height and normal queries, scroll,
// glow and drawing.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>
#include <string>

#include "GlHarness.h"
#include "TestFiles.h"
#include "math/MathUtil.h"
#include "shell/core/RenderState.h"
#include "terrain/Terrain.h"

namespace {
using HeightFn = std::function<int(int column, int row)>;

// The byte that loads as height h (h in -30..97).
char ByteFor(int h) { return static_cast<char>((h + 30) * 2); }

std::string FloorBytes(const HeightFn& height) {
  std::string bytes;
  for (int c = 0; c < 40; ++c) {
    for (int r = 0; r < 40; ++r) bytes += ByteFor(height(c, r));
  }
  return bytes;
}

void LoadBytes(Terrain& t, const std::string& bytes) {
  std::istringstream in(bytes);
  t.LoadFromStream(in);
}

void LoadHeights(Terrain& t, const HeightFn& height) { LoadBytes(t, FloorBytes(height)); }

float HeightOf(const Terrain& t, int column, int row) {
  return t.vertices[Terrain::GridIndex(row, column)].y;
}

void ExpectUp(const Vec3& n, const std::string& where) {
  EXPECT_EQ(n.x, 0.0f) << where;
  EXPECT_EQ(n.y, 1.0f) << where;
  EXPECT_EQ(n.z, 0.0f) << where;
}

// Height of the sloped floor y = c + 2r - 30 at world (x, z).
double SlopeAt(double x, double z) { return (x / 20 + 20) + 2 * (z / 20 + 20) - 30; }
int Slope(int c, int r) { return c + 2 * r - 30; }
}  // namespace

TEST(TerrainLoad, BytesBecomeHeightsColumnByColumn) {
  std::string bytes;
  for (int i = 0; i < 1700; ++i) bytes += static_cast<char>(i % 256);  // every byte value
  std::string dir = MakeTempDir("terrain");
  WriteFile(dir + "/GData.tga", bytes);
  Terrain t;
  {
    ScopedWorkingDir cd(dir);
    t.Load();
  }
  for (int c = 0; c < 40; ++c) {
    for (int r = 0; r < 40; ++r) {
      const Vertex& v = t.vertices[40 * c + r];
      ASSERT_EQ(v.y, static_cast<float>(((40 * c + r) % 256) / 2 - 30)) << c << "," << r;
      ASSERT_EQ(v.x, static_cast<float>((c - 20) * 20));
      ASSERT_EQ(v.z, static_cast<float>((r - 20) * 20));
    }
  }
  // Halved, remainder dropped: the extremes, and 2k and 2k+1 alike.
  const struct { int byte; float height; } cases[] = {
      {0, -30.0f}, {1, -30.0f}, {60, 0.0f}, {61, 0.0f}, {13, -24.0f}, {254, 97.0f}, {255, 97.0f}};
  for (const auto& k : cases) EXPECT_EQ(t.vertices[k.byte].y, k.height) << "byte " << k.byte;
}

TEST(TerrainLoad, ShortEmptyAndMissingFiles) {
  const struct {
    const char* name;
    std::string bytes;
    float first, second, rest;
  } cases[] = {
      {"empty", "", -30.0f, -30.0f, -30.0f},
      {"three bytes", std::string("\x64\x32\x07", 3), 20.0f, -5.0f, -27.0f},
      {"one byte", std::string("\xff", 1), 97.0f, 97.0f, 97.0f},
      {"1599 bytes", std::string(1599, '\x02'), -29.0f, -29.0f, -29.0f},
  };
  for (const auto& k : cases) {
    Terrain t;
    LoadBytes(t, k.bytes);
    EXPECT_EQ(t.vertices[0].y, k.first) << k.name;
    EXPECT_EQ(t.vertices[1].y, k.second) << k.name;
    for (int v = 2; v < 1600; ++v) ASSERT_EQ(t.vertices[v].y, k.rest) << k.name << " v " << v;
    EXPECT_EQ(t.vertices[1599].x, 380.0f) << k.name;
  }
  Terrain missing;
  ScopedWorkingDir cd(MakeTempDir("terrain-missing"));
  missing.Load();
  for (int v = 0; v < 1600; ++v) ASSERT_EQ(missing.vertices[v].y, -30.0f);
  ExpectUp(missing.normals[Terrain::GridIndex(20, 20)], "missing file, inner normal");
}

TEST(TerrainLoad, ConstructionClearsGlowAndPointsTheRingUp) {
  Terrain t;
  for (int v = 0; v < 1600; ++v) {
    ASSERT_EQ(t.glow[v].x, 0.0f);
    ASSERT_EQ(t.glow[v].y, 0.0f);
    ASSERT_EQ(t.glow[v].z, 0.0f);
  }
  EXPECT_EQ(t.glowStep.x, 0.0f);
  EXPECT_EQ(t.glowStep.y, 0.01f);
  EXPECT_EQ(t.glowStep.z, 0.0f);
  // A bumpy floor leaves the outer ring straight up.
  LoadHeights(t, [](int c, int r) { return (c * 7 + r * 13) % 120 - 30; });
  for (int i = 0; i < 40; ++i) {
    for (int v : {Terrain::GridIndex(0, i), Terrain::GridIndex(39, i), Terrain::GridIndex(i, 0),
                  Terrain::GridIndex(i, 39)}) {
      ExpectUp(t.normals[v], "ring vertex " + std::to_string(v));
    }
  }
}

TEST(TerrainQueries, LevelGroundIsFlatEverywhere) {
  Terrain t;
  LoadHeights(t, [](int, int) { return 20; });
  for (int v = 0; v < 1600; ++v) ExpectUp(t.normals[v], "normal " + std::to_string(v));
  const float points[][2] = {{0, 0},        {-400, -400}, {379.9f, 379.9f}, {-13.7f, 251.2f},
                             {10, 10},      {390, -50},   {-410, -410},     {1000, 1000},
                             {-5000, 3000}, {0.5f, -399.5f}};
  for (const auto& p : points) {
    EXPECT_EQ(t.HeightAt(p[0], p[1]), 20.0f) << p[0] << "," << p[1];
    Vertex n = t.NormalAt(p[0], p[1]);
    EXPECT_EQ(n.x, 0.0f);
    EXPECT_EQ(n.y, 1.0f);
    EXPECT_EQ(n.z, 0.0f);
  }
}

TEST(TerrainQueries, SlopedPlaneIsReturnedOnAndBetweenVertices) {
  Terrain t;
  LoadHeights(t, Slope);
  // The plane's normal, y = x/20 + z/10 + 30: (-1/20, 1, -1/10) to unit length.
  const double len = std::sqrt(1.0 + 0.0025 + 0.01);
  const struct { const char* what; float x, z; } cases[] = {
      {"inner vertex", -200, 100},  {"vertex at origin", 0, 0},
      {"diagonal", -190, 110},      {"diagonal, other end", -181, 119},
      {"near triangle", -197.5f, 102.25f}, {"far triangle", -182.5f, 118.75f},
      {"fractions", 13.37f, -251.9f}, {"last cell", 379.5f, 379.5f},
      {"beyond +x", 395, 0},        {"far beyond", 900, -900},
      {"x below -400", -415, 30},   {"both below", -419.9f, -405.5f}};
  for (const auto& k : cases) {
    EXPECT_NEAR(t.HeightAt(k.x, k.z), SlopeAt(k.x, k.z), 1e-3) << k.what;
    Vertex n = t.NormalAt(k.x, k.z);
    EXPECT_NEAR(n.x, -0.05 / len, 1e-6) << k.what;
    EXPECT_NEAR(n.y, 1.0 / len, 1e-6) << k.what;
    EXPECT_NEAR(n.z, -0.1 / len, 1e-6) << k.what;
  }
  // Inner vertices: their own height.
  for (int c = 1; c < 39; c += 5) {
    for (int r = 1; r < 39; r += 3) {
      EXPECT_NEAR(t.HeightAt((c - 20) * 20.0f, (r - 20) * 20.0f), Slope(c, r), 1e-4);
    }
  }
}

namespace {
// A floor level at 0 except one raised corner; the two triangles of a cell
// then have different normals, which tells which one a query used.
Vertex NormalWithBump(int bumpColumn, int bumpRow, float x, float z) {
  Terrain t;
  LoadHeights(t, [&](int c, int r) { return (c == bumpColumn && r == bumpRow) ? 80 : 0; });
  return t.NormalAt(x, z);
}
}  // namespace

TEST(TerrainQueries, TriangleChoiceUsesWholeUnitsTowardZero) {
  // Cell (column 10, row 10) spans x -200..-180, z -200..-180; its far corner
  // (11, 11) is raised, so the near triangle is flat and the far one tilted.
  const struct {
    const char* what;
    float x, z;
    bool nearFlat;
  } cases[] = {
      {"low corner", -200, -200, true},
      {"inside near", -195, -190, true},
      {"diagonal", -190, -190, true},
      {"diagonal end", -181, -199, true},
      {"whole parts 20, exact 21.2", -189.6f, -189.2f, true},
      {"just over", -189, -190, false},
      {"deep in far", -181, -181, false},
  };
  for (const auto& k : cases) {
    Vertex n = NormalWithBump(11, 11, k.x, k.z);
    EXPECT_EQ(n.y == 1.0f, k.nearFlat) << k.what << " n.y " << n.y;
  }
  // Below x = -400 the offset is negative, the cell stays column 0 and the
  // near triangle extends backwards (a floor-division reading would pick the
  // far one here). Column 0, row 1 has its far corner at column 1, row 2.
  EXPECT_EQ(NormalWithBump(1, 2, -410, -365).y, 1.0f);
  EXPECT_EQ(NormalWithBump(1, 2, -405, -361).y, 1.0f);
  EXPECT_LT(NormalWithBump(1, 2, -398, -361).y, 1.0f);
}

TEST(TerrainQueries, ClampedCellsAtAndBeyondTheLastColumn) {
  // The corner vertex (39, 39) is high, but at and beyond x, z = 380 the
  // query uses cell 38's near triangle, which does not include it.
  Terrain t;
  LoadHeights(t, [](int c, int r) { return (c == 39 && r == 39) ? 97 : 0; });
  EXPECT_EQ(t.HeightAt(380, 380), 0.0f);
  EXPECT_EQ(t.HeightAt(420, 380), 0.0f);
  EXPECT_EQ(t.HeightAt(1e9f, -1e9f), 0.0f);
  // Inside cell 38's far triangle the raised corner counts: 97 x 18/20.
  EXPECT_NEAR(t.HeightAt(379, 379), 97.0f * 18 / 20, 1e-3);
  // NaN gives NaN, never a read outside the grid.
  float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_TRUE(std::isnan(t.HeightAt(nan, 0)));
  Vertex n = t.NormalAt(nan, nan);
  EXPECT_EQ(n.y, 1.0f);
}

namespace {
// The plane formula, each product and sum rounded to float in turn, from the
// corner and the normal of the triangle a test names itself.
float PlaneInFloats(const Terrain& t, int a, int b, int c, float x, float z) {
  Vec3 n;
  TriangleNormal(t.vertices[a], t.vertices[b], t.vertices[c], n);
  const Vertex& p = t.vertices[a];
  auto mul = [](float u, float v) { return static_cast<float>(double(u) * double(v)); };
  float s = static_cast<float>(double(mul(n.x, p.x)) - double(mul(n.x, x)));
  s = static_cast<float>(double(s) + double(mul(n.y, p.y)));
  s = static_cast<float>(double(s) + double(mul(n.z, p.z)));
  s = static_cast<float>(double(s) - double(mul(n.z, z)));
  return static_cast<float>(double(s) / double(n.y));
}

double PlaneInDoubles(const Terrain& t, int a, int b, int c, float x, float z) {
  Vec3 n;
  TriangleNormal(t.vertices[a], t.vertices[b], t.vertices[c], n);
  const Vertex& p = t.vertices[a];
  return (double(n.x) * p.x - double(n.x) * x + double(n.y) * p.y + double(n.z) * p.z -
          double(n.z) * z) / n.y;
}
}  // namespace

TEST(TerrainQueries, HeightIsTheFloatFormulaToTheLastBit) {
  Terrain t;
  LoadHeights(t, [](int c, int r) { return (c * 37 + r * 59 + c * r) % 128 - 30; });
  int differsFromDouble = 0;
  for (int i = 0; i < 400; ++i) {
    int c = 1 + i % 37, r = 1 + (i * 7) % 37;
    float fx = 0.37f + static_cast<float>((i * 13) % 19), fz = 0.61f + static_cast<float>((i * 5) % 19);
    float x = (c - 20) * 20.0f + fx, z = (r - 20) * 20.0f + fz;
    int h = Terrain::GridIndex(r, c);
    bool farTriangle = static_cast<int>(fx) + static_cast<int>(fz) > 20;
    float expected = farTriangle ? PlaneInFloats(t, h + 40, h + 1, h + 41, x, z)
                                 : PlaneInFloats(t, h, h + 1, h + 40, x, z);
    ASSERT_EQ(t.HeightAt(x, z), expected) << "point " << i << " at " << x << "," << z;
    double wide = farTriangle ? PlaneInDoubles(t, h + 40, h + 1, h + 41, x, z)
                              : PlaneInDoubles(t, h, h + 1, h + 40, x, z);
    if (static_cast<float>(wide) != expected) ++differsFromDouble;
  }
  // The points must be able to tell float from double evaluation at all.
  EXPECT_GT(differsFromDouble, 0);
}

TEST(TerrainScroll, OneColumnAndFortyScrollsBackInPlace) {
  auto bumpy = [](int c, int r) { return (c * 11 + r * 3 + (c * r) % 7) % 110 - 30; };
  Terrain t;
  LoadHeights(t, bumpy);
  for (int k = 1; k <= 40; ++k) {
    t.Scroll();
    // The heights seen at column c are those loaded at column c + k, wrapped,
    // and the inner normals are those of a floor loaded that way.
    Terrain fresh;
    LoadHeights(fresh, [&](int c, int r) { return bumpy((c + k) % 40, r); });
    for (int c = 0; c < 40; ++c) {
      for (int r = 0; r < 40; ++r) {
        int v = Terrain::GridIndex(r, c);
        ASSERT_EQ(t.vertices[v].y, fresh.vertices[v].y) << "scroll " << k << " at " << c << "," << r;
        ASSERT_EQ(t.vertices[v].x, (c - 20) * 20.0f);
        ASSERT_EQ(t.vertices[v].z, (r - 20) * 20.0f);
        if (c == 0) continue;  // takes column 1's normals, never drawn
        ASSERT_EQ(t.normals[v].x, fresh.normals[v].x) << "scroll " << k << " at " << c << "," << r;
        ASSERT_EQ(t.normals[v].y, fresh.normals[v].y);
        ASSERT_EQ(t.normals[v].z, fresh.normals[v].z);
      }
    }
  }
}

TEST(TerrainScroll, QueriesFollowTheFloor) {
  Terrain t;
  LoadHeights(t, Slope);
  float before = t.HeightAt(-100, 50);
  t.Scroll();
  EXPECT_NEAR(t.HeightAt(-120, 50), before, 1e-4);
}

namespace {
struct GlowCase {
  const char* what;
  int colourIndex;
  int column, row;  // the vertex looked at
  float red, green, blue;
};
}  // namespace

TEST(TerrainGlow, TintByDistanceAndColourIndex) {
  // Level floor at 0; the point stands on the vertex (column 25, row 10),
  // at x = 100, z = -200.
  const GlowCase cases[] = {
      {"at the point, green", 1, 25, 10, 0.0f, 1.0f, 0.0f},
      {"exactly 200 away", 1, 35, 10, 0.0f, 0.01f, 0.0f},
      {"180 away", 1, 25, 19, 0.0f, 0.1f + 0.01f, 0.0f},
      {"far away", 1, 0, 39, 0.0f, 0.01f, 0.0f},
      {"swapped point would glow here", 1, 10, 25, 0.0f, 0.01f, 0.0f},
      {"red at the point", 0, 25, 10, 1.0f, 0.01f, 0.0f},
      {"blue at the point", 2, 25, 10, 0.0f, 0.01f, 1.0f},
      {"dark at the point", 5, 25, 10, -1.0f, -0.99f, 1.0f},
      {"dark, 100 away", -3, 20, 10, -0.5f, -0.49f, 0.5f},
  };
  for (const auto& k : cases) {
    Terrain t;
    LoadHeights(t, [](int, int) { return 0; });
    t.GlowNear(-200.0f, 0.0f, 100.0f, k.colourIndex);
    const Vertex& g = t.glow[Terrain::GridIndex(k.row, k.column)];
    EXPECT_NEAR(g.x, k.red, 1e-6) << k.what;
    EXPECT_NEAR(g.y, k.green, 1e-6) << k.what;
    EXPECT_NEAR(g.z, k.blue, 1e-6) << k.what;
  }
}

TEST(TerrainGlow, MirroredHeightsAndAccumulation) {
  // Only (column 25, row 20) is raised, so it and its mirror (20, 25) differ.
  Terrain t;
  LoadHeights(t, [](int c, int r) { return (c == 25 && r == 20) ? 97 : 0; });
  t.GlowNear(0.0f, 0.0f, 100.0f, 1);  // on (25, 20) horizontally, at height 0
  EXPECT_NEAR(t.glow[Terrain::GridIndex(20, 25)].y, 1.0f, 1e-6);  // mirror at 0: d = 0
  t.ClearGlow();
  t.GlowNear(100.0f, 0.0f, 0.0f, 1);  // on (20, 25), whose mirror is raised
  EXPECT_NEAR(t.glow[Terrain::GridIndex(25, 20)].y, 0.525f, 1e-6);

  // Repeated glow: the top is held at 1, nothing holds the bottom.
  t.ClearGlow();
  for (int i = 0; i < 3; ++i) t.GlowNear(0.0f, 0.0f, -300.0f, 7);
  const Vertex& g = t.glow[Terrain::GridIndex(20, 5)];
  EXPECT_FLOAT_EQ(g.x, -3.0f);
  EXPECT_FLOAT_EQ(g.y, -2.97f);
  EXPECT_FLOAT_EQ(g.z, 1.0f);
  EXPECT_NEAR(t.glow[Terrain::GridIndex(0, 39)].y, 0.03f, 1e-7);
  t.ClearGlow();
  for (int i = 0; i < 2; ++i) t.GlowNear(0.0f, 0.0f, -300.0f, 0);
  EXPECT_EQ(g.x, 1.0f);
  EXPECT_NEAR(g.y, 0.02f, 1e-7);

  t.ClearGlow();
  for (int v = 0; v < 1600; ++v) {
    ASSERT_EQ(t.glow[v].x, 0.0f);
    ASSERT_EQ(t.glow[v].y, 0.0f);
    ASSERT_EQ(t.glow[v].z, 0.0f);
  }
}

namespace {
// Eye 500 above the origin looking straight down.
ViewState TopView() {
  OrbitCamera camera;
  camera.position = Vertex{0.0f, 500.0f, 0.0f, 0.0f, 0.0f};
  camera.angles = Vertex{90.0f, 0.0f, 0.0f, 0.0f, 0.0f};
  return ViewState(camera);
}

// Level ground lit by the world-space light (2000, 500, 100): the global and
// light ambients (0.2 each) plus the diffuse term on an upward normal.
Rgb LitLevel(float red, float green, float blue) {
  const float lit = 0.4f + 500.0f / std::sqrt(2000.0f * 2000 + 500 * 500 + 100 * 100);
  auto byte = [&](float c) { return static_cast<int>(std::lround(std::fmax(0.0f, std::fmin(1.0f, c * lit)) * 255)); };
  return Rgb{byte(red), byte(green), byte(blue)};
}
}  // namespace

class TerrainDraw : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    InitRenderState();
    ResizeViewport(1024, 768);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
};

TEST_F(TerrainDraw, ColourFollowsHeightAndGlow) {
  Terrain t;
  LoadHeights(t, [](int, int) { return 20; });  // k = 0.2: red 0.2, green 0.3
  t.Draw(TopView());
  EXPECT_TRUE(Near(PixelAt(512, 384), LitLevel(0.2f, 0.3f, 0.0f), 2)) << PixelAt(512, 384);
  EXPECT_TRUE(Near(PixelAt(100, 700), LitLevel(0.2f, 0.3f, 0.0f), 2)) << PixelAt(100, 700);

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (int v = 0; v < 1600; ++v) t.glow[v] = Vertex{0.3f, 0.1f, 0.4f, 0.0f, 0.0f};
  t.Draw(TopView());
  EXPECT_TRUE(Near(PixelAt(512, 384), LitLevel(0.5f, 0.4f, 0.4f), 2)) << PixelAt(512, 384);
}

TEST_F(TerrainDraw, LowGroundGreenHighGroundRed) {
  // Columns left of x = 0 low (-30), right of it high (97). From above, +x is
  // to the right of the picture.
  Terrain t;
  LoadHeights(t, [](int c, int) { return c < 20 ? -30 : 97; });
  t.Draw(TopView());
  Rgb low = PixelAt(200, 384), high = PixelAt(850, 384);
  EXPECT_TRUE(Near(low, LitLevel(0.0f, 0.8f, 0.0f), 2)) << low;  // red -0.3 shows as 0
  EXPECT_TRUE(Near(high, LitLevel(0.97f, 0.0f, 0.0f), 2)) << high;
}

TEST_F(TerrainDraw, RestoresStateThenScrollsAndClears) {
  Terrain t;
  LoadHeights(t, [](int c, int r) { return (c * 5 + r) % 100 - 30; });
  t.GlowNear(0.0f, 0.0f, 0.0f, 1);
  GLfloat before[16], after[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, before);
  t.Draw(TopView());
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int k = 0; k < 16; ++k) EXPECT_EQ(after[k], before[k]);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  for (int r = 0; r < 40; ++r) {
    EXPECT_EQ(HeightOf(t, 0, r), static_cast<float>((5 + r) % 100 - 30));
    EXPECT_EQ(HeightOf(t, 39, r), static_cast<float>(r % 100 - 30));
  }
  for (int v = 0; v < 1600; ++v) ASSERT_EQ(t.glow[v].y, 0.0f);
  // The light was placed after the view, so it is fixed in the world: seen
  // from the eye, the world direction (2000, 500, 100) turned by the pitch.
  GLfloat light[4];
  glGetLightfv(GL_LIGHT0, GL_POSITION, light);
  EXPECT_NEAR(light[0], 2000.0f, 1e-2);
  EXPECT_NEAR(light[1], -100.0f, 1e-2);
  EXPECT_NEAR(light[2], 500.0f, 1e-2);
  EXPECT_EQ(light[3], 0.0f);
}
