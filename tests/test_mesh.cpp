// The ASE reader on damaged, hostile and out-of-range input; the colour and scale rules.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "TestFiles.h"
#include "math/GameRandom.h"
#include "mesh/MeshModel.h"

namespace {
std::unique_ptr<MeshModel> Read(const std::string& text, float scale = 1.0f) {
  auto model = std::make_unique<MeshModel>();
  std::istringstream in(text);
  model->LoadFromStream(in, scale);
  return model;
}

// {vertices, faces, texture vertices}
std::vector<int> Counts(const MeshModel& m) {
  return {m.vertexCount, m.faceCount, m.texVertexCount};
}
}  // namespace

// Catches: exclusions of the wrong length, case-blind keywords, list headers read as records.
TEST(AseReader, KeywordTestsAndExclusions) {
  const struct {
    const char* text;
    int vertices, faces, texVertices;
  } cases[] = {
      {"*MESH_VERTEX_LIST 0 1 2 3", 1, 0, 0},  {"*MESH_VERTEX_LISX 0 1 2 3", 1, 0, 0},
      {"*MESH_VERTEX_LI 0 1 2 3", 2, 0, 0},    {"*MESH_VERTEXNORMAL 0 1 2 3", 1, 0, 0},
      {"*MESH_VERTEXNORMAS 0 1 2 3", 2, 0, 0}, {"*MESH_VERTE 0 1 2 3", 1, 0, 0},
      {"*mesh_vertex 0 1 2 3", 1, 0, 0},       {"*MESH_FACE_LIST { 0: A: 1 B: 2 C: 3", 1, 0, 0},
      {"*MESH_FACENORMAL 0 0 0 1", 1, 0, 0},   {"*MESH_FACENORMA 0: A: 1 B: 2 C: 3", 1, 1, 0},
      {"*MESH_TVERTLIST 0 1 2 3", 1, 0, 0},    {"*MESH_TVERTLISX 0 1 2 3", 1, 0, 1},
      {"*MESH_TFACE_LIST 0 1 2 3", 1, 0, 0},   {"*MESH_TFACELIST { *MESH_TFACE 0 0 1 2 }", 0, 0, 0},
      {"*MESH_TFACE 7 0 1 2", 1, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Counts(*Read(std::string(c.text) + "\n*MESH_VERTEX 9 1 1 1\n")),
              (std::vector<int>{c.vertices, c.faces, c.texVertices}));
  }
}

// Catches: the texture-face rule off by one either way, or counting records it skips.
TEST(AseReader, TextureFaceRuleAtEachEdge) {
  const std::pair<const char*, int> cases[] = {
      {"0", 0},    {"1", 1},      {"1 1", 0},  {"2 2", 1},  {"2 2 2", 0}, {"5 0", 0},
      {"-1 1", 1}, {"2000 1", 1}, {"-1 0", 0}, {"1999", 1}, {"3 2 9", 1}, {"3 2 1", 0}};
  for (const auto& [indices, read] : cases) {
    std::istringstream list(indices);
    std::string text;
    for (int i; list >> i;) text += "*MESH_TFACE " + std::to_string(i) + " 1 2 3\n";
    EXPECT_EQ(Read(text + "*MESH_VERTEX 9 1 1 1")->vertexCount, read) << indices;
  }
}

// Catches: records stored otherwise than read, a long token overflowing, a wrong grey.
TEST(AseReader, RecordsCountsNormalsAndTheTextureFaceRule) {
  const std::string junk(60000, 'q');
  ResetGameRandom();
  auto m = Read("*NODE_NAME \"" + junk +
                    "\" *MESH_FACE 5: A: 7 B: 8 C: 9\n"
                    "*MESH_FACE 3: A: 4 B: 5 C: 6 *MESH_VERTEX 0 1 2 3 *MESH_VERTEX" +
                    junk +
                    " 0 4 5 6 *MESH_VERTEX 7 1.5e3 -0.0 +2\n"
                    "*MESH_VERTEXNORMAL 1 0.0 0.0 1.0 *MESH_VERTEXNORMAL 2 0.0 0.0 1.0\n"
                    "*MESH_VERTEXNORMAL 2 0.0 1.0 0.0 *MESH_TVERT 3 0.5 0.25 9\n"
                    "*MESH_TFACE 7 4 5 6 *MESH_TFACE 1 1 2 3 *MESH_VERTEX 1 1 1 1",
                3.9f);
  EXPECT_EQ(Counts(*m), (std::vector<int>{3, 2, 1}));
  EXPECT_EQ((std::vector<int>{m->faces[0].vertexA, m->faces[1].vertexC}), (std::vector<int>{7, 6}));
  const Vertex &v0 = m->vertices[0], &v7 = m->vertices[7];
  EXPECT_EQ((std::vector<float>{v0.x, v7.x, v7.z}), (std::vector<float>{15.6f, 5850, 7.8f}));
  EXPECT_TRUE(std::signbit(v7.y));
  EXPECT_EQ(m->normals[1].y, -1.0f);  // file z is up: stored as -y
  EXPECT_EQ(m->normals[2].z, 1.0f);   // the last record wins
  EXPECT_EQ((std::vector<float>{m->texVertices[3].x, m->texVertices[3].y}),
            (std::vector<float>{0.5f, 0.25f}));       // unscaled
  EXPECT_EQ(m->faces[7].texA, 4);                     // 1 record, index 7: goes on
  EXPECT_EQ(m->faces[1].texC, 3);                     // 2 records, index 1: ends
  EXPECT_FLOAT_EQ(m->faces[0].red, 214.0f / 255.0f);  // the first random value, 41, of 56 greys
}

// Catches: broken records read on past, writes outside the arrays, counts past 2000.
TEST(AseReader, DamagedAndOutOfRangeRecords) {
  for (const char* text : {"*MESH_VERTEX 1 x 2 3", "*MESH_VERTEX 1 1.5x 2 3", "*MESH_VERTEX 1 1 2",
                           "*MESH_VERTEX 99999999999 1 2 3", "*MESH_VERTEX 1 1e999 2 3",
                           "*MESH_FACE 0: A: x B: 1 C: 2", "*MESH_FACE 0:", "*MESH_TVERT 1 0.5",
                           "*MESH_VERTEXNORMAL 1 nan 0 0", "*MESH_TFACE 3 1 2 x"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Counts(*Read(std::string("*MESH_VERTEX 0 1 2 3 *MESH_FACE 0: A: 0 B: 0 C: 0 ") +
                           text + " *MESH_VERTEX 2 1 2 3 *MESH_FACE 1: A: 0 B: 0 C: 0")),
              (std::vector<int>{1, 1, 0}));
  }
  auto m = Read(
      "*MESH_VERTEX -1 1 1 1 *MESH_VERTEX 2000 1 1 1 *MESH_VERTEX 1999 5 5 5\n"
      "*MESH_VERTEXNORMAL 2000 1 1 1 *MESH_TVERT -5 1 1 1 *MESH_TFACE -1 1 1 1\n"
      "*MESH_TFACE 2000 1 1 1 *MESH_FACE 0: A: -4 B: 0 C: 2000 *MESH_VERTEX 0 1 1 1");
  EXPECT_EQ(Counts(*m), (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(m->vertices[1999].x, 5.0f);
  EXPECT_FALSE(MeshModel::FaceDrawable(m->faces[0]));
  std::string text;
  for (int i = 0; i <= kMeshCapacity; ++i) {
    const std::string n = std::to_string(i % kMeshCapacity);
    text +=
        "*MESH_VERTEX " + n + " 1 2 3 *MESH_TVERT " + n + " 0 0 0 *MESH_FACE 0: A: 0 B: 1 C: 2\n";
  }
  ResetGameRandom();
  for (int i = 0; i < kMeshCapacity; ++i) GameRandom();  // a grey for each face stored
  const int next = GameRandom();
  ResetGameRandom();
  EXPECT_EQ(Counts(*Read(text)), std::vector<int>(3, kMeshCapacity));
  EXPECT_EQ(GameRandom(), next);
}

// Catches: the tint not one grey or touching zero components; Scale touching more than vertices.
TEST(MeshModel, ColourAndScale) {
  MeshModel m;
  m.vertexCount = 1;
  m.faceCount = 3;
  m.faces[1].green = 0.3f;
  ResetGameRandom();
  m.SetColour(0.8f, 0.0f, 0.8f, kGreyTint);  // the first random value, 41: grey 41 % 26 = 15
  EXPECT_FLOAT_EQ(m.faces[1].red, 240.0f / 255.0f);
  EXPECT_EQ(m.faces[1].blue, m.faces[1].red);
  EXPECT_EQ(m.faces[1].green, 0.3f);
  EXPECT_EQ(m.faces[3].red, 0.0f);
  m.vertices[0] = Vertex{1, -2, 3, 0, 0};
  m.vertices[1].x = 7;
  m.normals[0].z = 1;
  m.texVertices[0].x = 0.5f;
  m.Scale(2.0f);
  const Vertex& v = m.vertices[0];
  EXPECT_EQ((std::vector<float>{v.x, v.y, v.z}), (std::vector<float>{2, -4, 6}));
  EXPECT_EQ(m.vertices[1].x, 7);
  EXPECT_EQ(m.normals[0].z, 1);
  EXPECT_EQ(m.texVertices[0].x, 0.5f);
}

// Catches: a read error aborting, the size limit off by one, a model not emptied between loads.
TEST(AseReader, LoadEndsAtAReadErrorOrTheSizeLimit) {
  const std::string dir = MakeTempDir("ase-limit");
  // Zero bytes, then a vertex ending on the limit's last byte or just past it.
  const std::string vertex = " *MESH_VERTEX 0 1 2 3";
  for (const auto& [name, at] : {std::pair{"/within.ase", kMeshFileLimit - vertex.size()},
                                 {"/past.ase", kMeshFileLimit - vertex.size() + 1}}) {
    std::ofstream out(dir + name);
    out.seekp(at);
    out << vertex;
  }
  MeshModel model;
  const std::pair<std::string, std::vector<int>> loads[] = {
      {dir + "/within.ase", {1, 0, 0}},
      {"/proc/self/mem", {0, 0, 0}},  // a regular file that fails to read
      {dir + "/within.ase", {1, 0, 0}},
      {dir + "/past.ase", {0, 0, 0}}};
  for (const auto& [path, counts] : loads) {
    model.Load(path.c_str(), 1.0f);
    EXPECT_EQ(Counts(model), counts) << path;
  }
}
