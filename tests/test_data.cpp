// The generated data files, read back with the game's readers: counts,
// geometry where the game places each model, normals, pictures, the floor,
// and what `courtball-data check` reports on good and broken folders.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "TestFiles.h"
#include "court/GameFiles.h"
#include "data/check/DataCheck.h"
#include "data/gen/AseWriter.h"
#include "data/gen/CourtGeometry.h"
#include "data/gen/CourtMeshes.h"
#include "data/gen/GameData.h"
#include "data/gen/Picture.h"
#include "image/BitmapImage.h"
#include "mesh/MeshModel.h"
#include "terrain/Terrain.h"

namespace fs = std::filesystem;

namespace {

// One generated folder shared by the read-only tests.
const std::string& GeneratedDir() {
  static const std::string dir = [] {
    std::string d = MakeTempDir("data");
    std::string error;
    EXPECT_TRUE(WriteGameData(d, error)) << error;
    return d;
  }();
  return dir;
}

std::unique_ptr<MeshModel> LoadMesh(const std::string& name, float scale) {
  auto model = std::make_unique<MeshModel>();
  model->Load((fs::path(GeneratedDir()) / name).string().c_str(), scale);
  return model;
}

// Where the game draws model vertex i, placed at (px, py, pz).
D3 WorldOf(const MeshModel& m, int i, D3 place = {0, 0, 0}) {
  const Vertex& v = m.vertices[i];
  return {place.x + v.x, place.y + v.z, place.z - v.y};
}

D3 WorldNormal(const MeshModel& m, int i) {
  const Vec3& n = m.normals[i];
  return {n.x, n.z, -n.y};
}

D3 FaceNormal(const MeshModel& m, int f) {
  const MeshFace& face = m.faces[f];
  D3 a = WorldOf(m, face.vertexA), b = WorldOf(m, face.vertexB), c = WorldOf(m, face.vertexC);
  return Unit(Cross(b - a, c - a));
}

struct Bounds {
  D3 low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
};

Bounds WorldBounds(const MeshModel& m, D3 place) {
  Bounds b;
  for (int i = 0; i < m.vertexCount; ++i) {
    D3 p = WorldOf(m, i, place);
    b.low = {std::fmin(b.low.x, p.x), std::fmin(b.low.y, p.y), std::fmin(b.low.z, p.z)};
    b.high = {std::fmax(b.high.x, p.x), std::fmax(b.high.y, p.y), std::fmax(b.high.z, p.z)};
  }
  return b;
}

const D3 kCourtPlace{0, kCourtPlacementY, 0};

std::string CheckOutput(const std::string& dir, int& result) {
  std::ostringstream out;
  result = CheckGameData(dir, out);
  return out.str();
}

}  // namespace

TEST(Generate, WritesTheFifteenFilesTheSameOnEveryRun) {
  std::string first = MakeTempDir("gen-a"), second = MakeTempDir("gen-b") + "/made/here";
  std::string error;
  ASSERT_TRUE(WriteGameData(first, error)) << error;
  ASSERT_TRUE(WriteGameData(second, error)) << error;  // creates the missing folders
  // Exactly the files the game loads: the table's, and nothing else.
  std::set<std::string> loaded, written;
  for (const GameFile& file : kGameFiles) loaded.insert(file.name);
  for (const auto& entry : fs::directory_iterator(first)) {
    std::string name = entry.path().filename().string();
    written.insert(name);
    EXPECT_EQ(ReadFile(entry.path().string()), ReadFile(second + "/" + name)) << name;
  }
  EXPECT_EQ(written, loaded);
}

TEST(Generate, ReportsAFolderItCannotWrite) {
  std::string dir = MakeTempDir("gen-blocked");
  WriteFile(dir + "/file", "x");
  std::string error;
  EXPECT_FALSE(WriteGameData(dir + "/file/sub", error));
  EXPECT_NE(error.find("file/sub"), std::string::npos) << error;
}

TEST(Meshes, LoadWithinCapacityWithEveryCornerFilled) {
  struct Case {
    const char* name;
    float scale;
    int minVertices, minFaces;
    bool textured;
  };
  const Case cases[] = {
      {"ball.ase", 0.3f, 200, 300, true},     {"case.ase", 3.9f, 500, 1000, false},
      {"Paddle.ase", 0.5f, 600, 1000, false}, {"LeftWall.ase", 3.9f, 500, 1000, false},
      {"Roof.ase", 3.9f, 800, 1500, false},   {"RightWall.ase", 3.9f, 500, 1000, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto m = LoadMesh(c.name, c.scale);
    EXPECT_GE(m->vertexCount, c.minVertices);
    EXPECT_LT(m->vertexCount, kMeshCapacity);
    EXPECT_GE(m->faceCount, c.minFaces);
    EXPECT_LT(m->faceCount, kMeshCapacity);
    EXPECT_EQ(m->texVertexCount, c.textured ? m->vertexCount : 0);
    for (int f = 0; f < m->faceCount; ++f) {
      for (int v : {m->faces[f].vertexA, m->faces[f].vertexB, m->faces[f].vertexC}) {
        ASSERT_TRUE(v >= 0 && v < m->vertexCount) << "face " << f;
      }
    }
  }
}

TEST(Meshes, BallIsASphereWithItsTextureLookedUpByVertex) {
  auto m = LoadMesh("ball.ase", court::kBallScale);
  const double pi = 3.14159265358979323846;
  for (int i = 0; i < m->vertexCount; ++i) {
    D3 p = WorldOf(*m, i);
    EXPECT_NEAR(std::sqrt(Dot(p, p)), court::kBallRadius, 0.01) << i;
    // t climbs from the bottom pole to the top one, so height follows it.
    EXPECT_NEAR(p.y, -std::cos(pi * m->texVertices[i].y) * court::kBallRadius, 0.01) << i;
  }
  for (int f = 0; f < m->faceCount; ++f) {
    const MeshFace& face = m->faces[f];
    float s[3] = {m->texVertices[face.vertexA].x, m->texVertices[face.vertexB].x,
                  m->texVertices[face.vertexC].x};
    // A face spanning the seam would smear the whole texture across it.
    EXPECT_LT(std::fmax(std::fabs(s[0] - s[1]), std::fabs(s[1] - s[2])), 0.5f) << f;
    D3 centroid =
        (WorldOf(*m, face.vertexA) + WorldOf(*m, face.vertexB) + WorldOf(*m, face.vertexC)) *
        (1.0 / 3);
    EXPECT_GT(Dot(FaceNormal(*m, f), centroid), 0.0) << "face " << f << " faces inward";
  }
}

// Normals read back unit length, agree with each face's winding, and point
// the way the model is meant to be seen from.
TEST(Meshes, WallsPaddleAndCaseKeepTheirNormals) {
  struct Case {
    const char* name;
    float scale;
    D3 place;
    D3 inside;     // a point the normals face (walls, case) or face away from
    bool outward;  // the paddle: a closed solid
  };
  const Case cases[] = {
      {"LeftWall.ase", court::kCourtScale, kCourtPlace, {0, 190, 0}, false},
      {"Roof.ase", court::kCourtScale, kCourtPlace, {0, 190, 0}, false},
      {"RightWall.ase", court::kCourtScale, kCourtPlace, {0, 190, 0}, false},
      {"case.ase", court::kCourtScale, kCourtPlace, {0, 0, 0}, false},
      {"Paddle.ase", court::kPaddleScale, {0, 0, 0}, {0, court::kPaddleLift, 0}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto m = LoadMesh(c.name, c.scale);
    for (int i = 0; i < m->vertexCount; ++i) {
      D3 n = WorldNormal(*m, i);
      ASSERT_NEAR(std::sqrt(Dot(n, n)), 1.0, 2e-4) << "vertex " << i;
      double toward = Dot(n, c.inside - WorldOf(*m, i, c.place));
      ASSERT_TRUE(c.outward ? toward < 0 : toward > 0) << "vertex " << i;
    }
    for (int f = 0; f < m->faceCount; ++f) {
      D3 n = FaceNormal(*m, f);
      const MeshFace& face = m->faces[f];
      for (int v : {face.vertexA, face.vertexB, face.vertexC}) {
        ASSERT_GT(Dot(n, WorldNormal(*m, v)), 0.7)
            << "face " << f << " is wound against its normals";
      }
    }
  }
}

TEST(Court, WallsEncloseTheBallAndPaddlesFinelyEnoughToGlow) {
  auto left = LoadMesh("LeftWall.ase", court::kCourtScale);
  auto roof = LoadMesh("Roof.ase", court::kCourtScale);
  auto right = LoadMesh("RightWall.ase", court::kCourtScale);
  const double reach = court::kBallRadius * 2;  // the drawn ball's far side
  EXPECT_LT(WorldBounds(*left, kCourtPlace).high.x, -court::kBallRangeX - reach);
  EXPECT_GT(WorldBounds(*right, kCourtPlace).low.x, court::kBallRangeX + reach);
  EXPECT_GT(WorldBounds(*roof, kCourtPlace).low.y, court::kBallTop + reach);
  for (const MeshModel* m : {left.get(), roof.get(), right.get()}) {
    Bounds b = WorldBounds(*m, kCourtPlace);
    EXPECT_LE(b.low.z, -court::kPaddleZ - court::kPaddleThickness / 2);
    EXPECT_GE(b.high.z, court::kPaddleZ + court::kPaddleThickness / 2);
    if (m != roof.get()) {
      EXPECT_LT(b.low.y, court::kFloorLow);
      EXPECT_GE(b.high.y, WorldBounds(*roof, kCourtPlace).low.y);
    }
  }
  // A ball beside the left wall lights a soft spot on it: some vertices in
  // full, a ring of them partly, and the wall's far reaches not at all.
  left->GlowNear(Vertex{-340.0f, 150.0f, 0.0f, 0, 0}, 1);
  int full = 0, partial = 0, dark = 0;
  for (int i = 0; i < left->vertexCount; ++i) {
    float g = left->glow[i].x;
    full += g == 1.0f;
    partial += g > 0.0f && g < 1.0f;
    dark += g == 0.0f;
  }
  EXPECT_GE(full, 40);
  EXPECT_GE(partial, 80);
  EXPECT_GE(dark, 100);
}

TEST(Court, PaddleIsASlabThatShowsAFlashAsASpot) {
  auto m = LoadMesh("Paddle.ase", court::kPaddleScale);
  Bounds b = WorldBounds(*m, {0, 0, 0});
  EXPECT_NEAR(b.high.x - b.low.x, court::kPaddleWidth, 0.01);
  EXPECT_NEAR(b.high.y - b.low.y, court::kPaddleHeight, 0.01);
  EXPECT_NEAR(b.high.z - b.low.z, court::kPaddleThickness, 0.01);
  for (double end : {-1.0, 1.0}) {  // the far paddle, then the near one
    SCOPED_TRACE(end);
    auto paddle = LoadMesh("Paddle.ase", court::kPaddleScale);
    paddle->SetPosition(100.0f, 200.0f, static_cast<float>(end * court::kPaddleZ));
    paddle->Flash(Vertex{100.0f, 200.0f, static_cast<float>(end * 400.0), 0, 0});
    int lit = 0;
    for (int i = 0; i < paddle->vertexCount; ++i) {
      if (paddle->glow[i].s <= 0.0f) continue;
      D3 p = WorldOf(*paddle, i, {100, 200, end * court::kPaddleZ});
      EXPECT_LT(std::hypot(p.x - 100, p.y - 200), 36.0) << "lit far from the impact";
      lit += std::fabs(p.z - end * (court::kPaddleZ - court::kPaddleThickness / 2)) < 0.01;
    }
    EXPECT_GE(lit, 20) << "the face toward the court shows the flash";
  }
}

// Möller-Trumbore: whether the segment from o to o + d crosses the triangle
// strictly before its end.
bool SegmentHits(D3 o, D3 d, D3 a, D3 b, D3 c) {
  D3 e1 = b - a, e2 = c - a, p = Cross(d, e2);
  double det = Dot(e1, p);
  if (std::fabs(det) < 1e-12) return false;
  D3 s = o - a;
  double u = Dot(s, p) / det;
  if (u < 0 || u > 1) return false;
  D3 q = Cross(s, e1);
  double v = Dot(d, q) / det;
  if (v < 0 || u + v > 1) return false;
  double t = Dot(e2, q) / det;
  return t > 1e-9 && t < 1 - 1e-6;
}

TEST(Court, CaseStaysInsideTheOrbitAndNeverHidesTheCourt) {
  auto m = LoadMesh("case.ase", court::kCourtScale);
  Bounds b = WorldBounds(*m, kCourtPlace);
  EXPECT_LT(b.high.y, 310.0) << "the rim stays below the camera";
  EXPECT_LT(b.low.y, court::kWallBottom) << "the glass walls stand in it";
  for (int i = 0; i < m->vertexCount; ++i) {
    D3 p = WorldOf(*m, i, kCourtPlace);
    ASSERT_LT(std::hypot(p.x, p.z), 850.0) << "vertex " << i;
  }
  // Points of everything the court holds, seen from around the orbit: no
  // face of the case that the camera sees stands in front of any of them.
  const double xs[] = {-410, -200, 0, 200, 410}, ys[] = {-50, 0, 100, 250, 430},
               zs[] = {-430, -200, 0, 200, 430};
  int blocked = 0;
  for (int angle = 0; angle < 360; angle += 10) {
    double a = angle * 3.14159265358979323846 / 180;
    D3 eye{std::sin(a) * 1000, 310, -std::cos(a) * 1000};
    for (int f = 0; f < m->faceCount; ++f) {
      const MeshFace& face = m->faces[f];
      D3 p0 = WorldOf(*m, face.vertexA, kCourtPlace), p1 = WorldOf(*m, face.vertexB, kCourtPlace),
         p2 = WorldOf(*m, face.vertexC, kCourtPlace);
      if (Dot(Cross(p1 - p0, p2 - p0), eye - p0) <= 0) continue;  // culled
      for (double x : xs)
        for (double y : ys)
          for (double z : zs) blocked += SegmentHits(eye, D3{x, y, z} - eye, p0, p1, p2);
    }
  }
  EXPECT_EQ(blocked, 0);
}

namespace {

// Screen pixels (1024x768, 60-degree vertical view) under the case's faces
// that look at the eye, the camera aiming at the orbit's centre. The case is
// convex and seen from outside, so those faces never overlap on screen: the
// sum is the fill the case costs, counted whole even where it runs off screen.
double CaseScreenPixels(const MeshModel& m, D3 eye) {
  const double pi = 3.14159265358979323846;
  const D3 forward = Unit(D3{0, 10, 0} - eye);
  const D3 right = Unit(Cross(forward, D3{0, 1, 0}));
  const D3 up = Cross(right, forward);
  const double focal = 384 / std::tan(30 * pi / 180);
  auto onScreen = [&](D3 p) {
    D3 d = p - eye;
    double depth = Dot(d, forward);
    EXPECT_GT(depth, 1.0) << "behind the near plane";
    return D3{focal * Dot(d, right) / depth, focal * Dot(d, up) / depth, 0};
  };
  double pixels = 0;
  for (int f = 0; f < m.faceCount; ++f) {
    const MeshFace& face = m.faces[f];
    D3 p0 = WorldOf(m, face.vertexA, kCourtPlace), p1 = WorldOf(m, face.vertexB, kCourtPlace),
       p2 = WorldOf(m, face.vertexC, kCourtPlace);
    if (Dot(Cross(p1 - p0, p2 - p0), eye - p0) <= 0) continue;  // culled
    D3 a = onScreen(p0), b = onScreen(p1), c = onScreen(p2);
    pixels += std::fabs(Cross(b - a, c - a).z) / 2;
  }
  return pixels;
}

}  // namespace

// Drawn first, the case pays for every pixel it covers, even those the floor
// then paints over: it must stay a frame, not a backdrop.
TEST(Court, CaseFillsAtMostAQuarterOfTheScreenFromAnywhereOnTheOrbit) {
  auto m = LoadMesh("case.ase", court::kCourtScale);
  const double screen = 1024.0 * 768.0;
  for (int angle = 0; angle < 360; angle += 5) {
    double a = angle * 3.14159265358979323846 / 180;
    double pixels = CaseScreenPixels(*m, D3{std::sin(a) * 1000, 310, -std::cos(a) * 1000});
    EXPECT_LT(pixels, screen / 4) << "at " << angle << " degrees";
    EXPECT_GT(pixels, screen / 8) << "at " << angle << " degrees: the case hardly shows";
  }
}

TEST(Floor, IsAGreyscaleTgaWhoseHeaderBlendsIntoTheHeights) {
  std::string bytes = ReadFile(GeneratedDir() + "/GData.tga");
  ASSERT_GE(bytes.size(), 18u + 1600u);
  auto at = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
  EXPECT_EQ(at(0), 0);  // no image id
  EXPECT_EQ(at(2), 3);  // uncompressed greyscale
  EXPECT_EQ(at(12), 40);
  EXPECT_EQ(at(14), 40);
  EXPECT_EQ(at(16), 8);
  auto terrain = std::make_unique<Terrain>();
  std::istringstream in(bytes);
  terrain->LoadFromStream(in);
  float low = 1e9f, high = -1e9f, steepest = 0.0f;
  for (int c = 0; c < Terrain::kSize; ++c) {
    for (int r = 0; r < Terrain::kSize; ++r) {
      float h = terrain->vertices[Terrain::GridIndex(r, c)].y;
      low = std::fmin(low, h);
      high = std::fmax(high, h);
      // The floor wraps column 39 round to column 0 as it scrolls.
      float across = terrain->vertices[Terrain::GridIndex(r, (c + 1) % Terrain::kSize)].y;
      steepest = std::fmax(steepest, std::fabs(across - h));
      if (r + 1 < Terrain::kSize) {
        steepest =
            std::fmax(steepest, std::fabs(terrain->vertices[Terrain::GridIndex(r + 1, c)].y - h));
      }
    }
  }
  EXPECT_EQ(low, -30.0f);
  EXPECT_GE(high, 80.0f);
  EXPECT_LE(steepest, 22.0f) << "a step this high would read as a glitch, header or not";
}

TEST(Pictures, BitmapsAre24BitPowersOfTwoAndDecode) {
  struct Case {
    const char* name;
    int size;
  };
  const Case cases[] = {{"Title.bmp", 512}, {"envmap.bmp", 256}, {"Ball1.bmp", 128},
                        {"Ball2.bmp", 128}, {"Ball3.bmp", 128},  {"Ball4.bmp", 128},
                        {"Ball5.bmp", 128}, {"Ball6.bmp", 128}};
  std::vector<std::string> frames;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = ReadFile(GeneratedDir() + "/" + c.name);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[28], 24);  // bits per pixel
    EXPECT_EQ(bytes[30], 0);   // no compression
    BitmapError error;
    auto image =
        DecodeBitmap(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), error);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, c.size);
    EXPECT_EQ(image->height, c.size);
    if (std::string(c.name).rfind("Ball", 0) == 0) frames.push_back(bytes);
  }
  for (size_t i = 1; i < frames.size(); ++i) EXPECT_NE(frames[i], frames[i - 1]) << "frame " << i;
}

TEST(Pictures, TitleCardCarriesBrightLetteringOnADarkCard) {
  std::string bytes = ReadFile(GeneratedDir() + "/Title.bmp");
  BitmapError error;
  auto image =
      DecodeBitmap(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), error);
  ASSERT_TRUE(image);
  // Rows of the name (bottom row first: from 512 - 232 up to 512 - 176).
  auto brightShare = [&](int fromRow, int toRow) {
    int bright = 0, all = 0;
    for (int y = fromRow; y < toRow; ++y) {
      for (int x = 40; x < image->width - 40; ++x) {  // inside the frame
        const unsigned char* p = &image->data[(static_cast<size_t>(y) * image->width + x) * 3];
        bright += p[0] > 200 && p[1] > 100;
        ++all;
      }
    }
    return static_cast<double>(bright) / all;
  };
  EXPECT_GT(brightShare(512 - 232, 512 - 176), 0.15);
  EXPECT_LT(brightShare(30, 90), 0.01);  // below the keys: the card alone
}

TEST(Check, PassesTheGeneratedFilesLineByLine) {
  int result = -1;
  std::string out = CheckOutput(GeneratedDir(), result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 15) << out;
  EXPECT_EQ(out.find("warning"), std::string::npos) << out;
  EXPECT_NE(out.find("Paddle.ase:    774 vertices, 1256 faces"), std::string::npos) << out;
  EXPECT_NE(out.find("GData.tga:     1618 bytes, heights -30..97"), std::string::npos) << out;
}

namespace {

// A small mesh file: the given vertex and face records, optional extras.
std::string SmallAse(int vertices, const std::string& faces, const std::string& tail) {
  std::string text = "*MESH {\n*MESH_VERTEX_LIST {\n";
  for (int i = 0; i < vertices; ++i) {
    text += "*MESH_VERTEX " + std::to_string(i) + " " + std::to_string(i) + ".0 0.0 0.0\n";
  }
  return text + "}\n*MESH_FACE_LIST {\n" + faces + "}\n" + tail + "}\n";
}

std::string Face(int n, int a, int b, int c) {
  return "*MESH_FACE " + std::to_string(n) + ": A: " + std::to_string(a) +
         " B: " + std::to_string(b) + " C: " + std::to_string(c) + " AB: 1 BC: 1 CA: 1\n";
}

const std::string kNormals =
    "*MESH_NORMALS {\n*MESH_VERTEXNORMAL 0 0 0 1\n*MESH_VERTEXNORMAL 1 0 0 1\n*MESH_VERTEXNORMAL 2 "
    "0 0 1\n}\n";

}  // namespace

TEST(Check, ReportsEachKindOfProblemInABrokenFolder) {
  struct Case {
    const char* what;
    const char* file;  // replaced, or removed when content is null
    std::function<std::string()> content;
    int result;
    const char* expected;
  };
  const Case cases[] = {
      {"missing mesh", "case.ase", nullptr, 0, "case.ase:      missing"},
      {"missing floor", "GData.tga", nullptr, 0, "flat, every height -30"},
      {"missing bitmap", "Ball3.bmp", nullptr, 1, "Failed to open DIB file Ball3.bmp."},
      {"truncated bitmap", "Title.bmp",
       [] { return ReadFile(GeneratedDir() + "/Title.bmp").substr(0, 100); }, 1,
       "Title.bmp:     refused"},
      {"odd-sized bitmap", "envmap.bmp", [] { return EncodeBmp(Picture(100, 60)); }, 0,
       "powers of two"},
      {"unfilled vertex", "Paddle.ase", [] { return SmallAse(3, Face(0, 0, 1, 7), kNormals); }, 0,
       "1 faces name vertices the file never filled, drawn at the origin (face 0 names vertex 7)"},
      {"index out of range", "Paddle.ase",
       [] { return SmallAse(3, Face(0, 0, 2500, 1), kNormals); }, 0,
       "outside 0..1999 and are never drawn (face 0 names vertex 2500)"},
      {"at capacity", "LeftWall.ase", [] { return SmallAse(2001, Face(0, 0, 1, 2), kNormals); }, 0,
       "at capacity: 2000 vertices"},
      {"texture lists on a sphere-mapped model", "Paddle.ase",
       [] {
         BuiltMesh mesh = BuildPaddleMesh();
         mesh.textured = true;
         return EncodeAse(mesh, court::kPaddleScale);
       },
       0, "774 vertices have no normal: its texture lists end the reading"},
      {"no normals", "Roof.ase", [] { return SmallAse(3, Face(0, 0, 1, 2), ""); }, 0,
       "3 vertices have no normal: the file gives them none"},
      {"ball without texture lists", "ball.ase",
       [] { return SmallAse(3, Face(0, 0, 1, 2), kNormals); }, 0,
       "3 vertices have no texture coordinate"},
      {"no faces", "Roof.ase", [] { return SmallAse(3, "", kNormals); }, 0, "no faces"},
      {"short floor", "GData.tga", [] { return std::string(100, '\x40'); }, 0,
       "shorter than 1600 bytes"},
      {"floor that is no TGA", "GData.tga", [] { return std::string(1600, '\x40'); }, 0,
       "not a 40x40 8-bit greyscale TGA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string dir = MakeTempDir("check");
    for (const GameFile& file : kGameFiles) {
      fs::copy_file(GeneratedDir() + "/" + file.name, dir + std::string("/") + file.name);
    }
    fs::remove(dir + "/" + c.file);
    if (c.content) WriteFile(dir + "/" + c.file, c.content());
    int result = -1;
    std::string out = CheckOutput(dir, result);
    EXPECT_EQ(result, c.result) << out;
    EXPECT_NE(out.find(c.expected), std::string::npos) << out;
    int fileLines = 0;  // every file keeps its own line, problems or not
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) fileLines += !line.empty() && line[0] != ' ';
    EXPECT_EQ(fileLines, 15) << out;
  }
}

namespace {

// Runs the tool with arguments; its exit code, its stdout in out.
int RunTool(const std::string& arguments, std::string& out) {
  std::string capture = MakeTempDir("tool") + "/out.txt";
  std::string command =
      std::string(COURTBALL_DATA_TOOL) + " " + arguments + " >" + capture + " 2>&1";
  int status = std::system(command.c_str());
  out = ReadFile(capture);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(Tool, GeneratesAndChecksEndToEndWithItsExitCodes) {
  std::string dir = MakeTempDir("tool-run") + "/data", out;
  EXPECT_EQ(RunTool("generate " + dir, out), 0) << out;
  EXPECT_EQ(RunTool("check " + dir, out), 0) << out;
  EXPECT_NE(out.find("ball.ase:      325 vertices"), std::string::npos) << out;
  fs::remove(dir + "/Title.bmp");
  EXPECT_EQ(RunTool("check " + dir, out), 1) << out;
  EXPECT_NE(out.find("cannot use a file"), std::string::npos) << out;
  EXPECT_EQ(RunTool("check " + dir + "/nowhere", out), 2) << out;
  EXPECT_EQ(RunTool("generate", out), 2) << out;
}
