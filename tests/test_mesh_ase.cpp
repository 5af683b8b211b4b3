// The ASE reader: keyword tests and their exclusions, records, counts, the
// texture-face rule, and input that is damaged or out of range.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "TestFiles.h"
#include "math/GameRandom.h"
#include "mesh/MeshModel.h"

namespace {
const std::string kHead =
    "*3DSMAX_ASCIIEXPORT 200\n*GEOMOBJECT {\n *MESH {\n  *MESH_VERTEX_LIST {\n"
    "   *MESH_VERTEX 0 0.0 0.0 0.0\n   *MESH_VERTEX 1 5.0 0.0 0.0\n"
    "   *MESH_VERTEX 2 0.0 5.0 0.5\n  }\n  *MESH_FACE_LIST {\n"
    "   *MESH_FACE 0: A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 0 *MESH_SMOOTHING 1 *MESH_MTLID 0\n  }\n";
const std::string kTexture =
    "  *MESH_TVERTLIST {\n   *MESH_TVERT 0 0.0 1.0 0.0\n  }\n"
    "  *MESH_TFACELIST {\n   *MESH_TFACE 0 0 1 2\n  }\n";
const std::string kNormals =
    "  *MESH_NORMALS {\n   *MESH_FACENORMAL 0 0.0 0.0 1.0\n"
    "    *MESH_VERTEXNORMAL 0 0.0 0.0 1.0\n  }\n }\n}\n";

std::unique_ptr<MeshModel> Read(const std::string& text, float scale = 1.0f) {
  auto model = std::make_unique<MeshModel>();
  std::istringstream in(text);
  model->LoadFromStream(in, scale);
  return model;
}

std::string Crlf(const std::string& text) {
  std::string out;
  for (char c : text) out += (c == '\n') ? std::string("\r\n") : std::string(1, c);
  return out;
}

void ExpectCounts(const MeshModel& m, int vertices, int faces, int texVertices) {
  EXPECT_EQ(m.vertexCount, vertices);
  EXPECT_EQ(m.faceCount, faces);
  EXPECT_EQ(m.texVertexCount, texVertices);
}
}  // namespace

TEST(AseReader, WorkedExampleWithAndWithoutTextureLists) {
  const std::string full = kHead + kTexture + kNormals;
  for (const std::string& text : {full, Crlf(full)}) {
    ResetGameRandom();
    auto m = Read(text, 2.0f);
    ExpectCounts(*m, 3, 1, 1);
    EXPECT_EQ(m->vertices[1].x, 10.0f);
    EXPECT_EQ(m->vertices[2].y, 10.0f);
    EXPECT_EQ(m->vertices[2].z, 1.0f);
    const MeshFace& f = m->faces[0];
    EXPECT_EQ(f.vertexA * 100 + f.vertexB * 10 + f.vertexC, 12);
    EXPECT_EQ(f.red, 1.0f - 41.0f / 255.0f);  // the sequence starts with 41
    EXPECT_EQ(f.blue, f.red);
    EXPECT_EQ(f.alpha, 1.0f);
    EXPECT_EQ(m->texVertices[0].y, 1.0f);
    EXPECT_EQ(m->normals[0].y, 0.0f);  // the texture faces ended the reading
  }
  auto plain = Read(kHead + kNormals, 2.0f);
  ExpectCounts(*plain, 3, 1, 0);
  EXPECT_EQ(plain->normals[0].y, -1.0f);
}

// Each text is followed by a vertex record that shows whether reading went on.
TEST(AseReader, KeywordTestsAndExclusions) {
  struct Case { const char* text; int vertices, faces, texVertices; };
  const Case cases[] = {
      {"*MESH_VERTEX_LIST 0 1 2 3", 1, 0, 0},   {"*MESH_VERTEX_LISX 0 1 2 3", 1, 0, 0},
      {"*MESH_VERTEX_LI 0 1 2 3", 2, 0, 0},     {"*MESH_VERTEXNORMAL 0 1 2 3", 1, 0, 0},
      {"*MESH_VERTEXNORMALS 0 1 2 3", 1, 0, 0}, {"*MESH_VERTEXNORMA 0 1 2 3", 2, 0, 0},
      {"*MESH_VERTE 0 1 2 3", 1, 0, 0},         {"*mesh_vertex 0 1 2 3", 1, 0, 0},
      {"*MESH_FACE_LIST { 0: A: 1 B: 2 C: 3", 1, 0, 0},
      {"*MESH_FACENORMAL 0 0.0 0.0 1.0", 1, 0, 0},
      {"*MESH_FACEMAPLIST 0: A: 1 B: 2 C: 3", 1, 1, 0},
      {"*MESH_FACENORMA 0: A: 1 B: 2 C: 3", 1, 1, 0},
      {"*MESH_TVERTLIST 0 1 2 3", 1, 0, 0},     {"*MESH_TVERTLISX 0 1 2 3", 1, 0, 1},
      {"*MESH_TFACE_LIST 0 1 2 3", 1, 0, 0},
      {"*MESH_TFACELIST { *MESH_TFACE 0 0 1 2 }", 0, 0, 0},
      {"*MESH_TFACE 0 0 1 2", 0, 0, 0},         {"*MESH_TFACE 7 0 1 2", 1, 0, 0},
  };
  for (const Case& c : cases) {
    auto m = Read(std::string(c.text) + "\n*MESH_VERTEX 9 1 1 1\n");
    SCOPED_TRACE(c.text);
    ExpectCounts(*m, c.vertices, c.faces, c.texVertices);
  }
}

TEST(AseReader, RecordsCountsNormalsAndTheTextureFaceRule) {
  const std::string junk(60000, 'q');  // long tokens are cut, not overflowed
  auto m = Read("*NODE_NAME \"" + junk + "\" *MESH_FACE 5: A: 7 B: 8 C: 9\n"
                "*MESH_FACE 3: A: 4 B: 5 C: 6 *MESH_VERTEX 0 1 2 3 *MESH_VERTEX" + junk +
                " 0 4 5 6 *MESH_VERTEX 7 1.5e3 -0.0 +2\n"
                "*MESH_VERTEXNORMAL 1 0.0 0.0 1.0 *MESH_VERTEXNORMAL 2 0.0 0.0 1.0\n"
                "*MESH_VERTEXNORMAL 2 0.0 1.0 0.0 *MESH_TVERT 3 0.5 0.25 9\n"
                "*MESH_TFACE 7 4 5 6 *MESH_TFACE 1 1 2 3 *MESH_VERTEX 1 1 1 1", 3.9f);
  ExpectCounts(*m, 3, 2, 1);  // records, not highest index + 1
  EXPECT_EQ(m->faces[0].vertexA, 7);  // file order, not the face's number
  EXPECT_EQ(m->faces[1].vertexC, 6);
  EXPECT_EQ(m->vertices[0].x, 4.0f * 3.9f);
  EXPECT_EQ(m->vertices[7].x, 1500.0f * 3.9f);
  EXPECT_TRUE(std::signbit(m->vertices[7].y));
  EXPECT_EQ(m->vertices[7].z, 2.0f * 3.9f);
  EXPECT_EQ(m->normals[1].y, -1.0f);
  EXPECT_EQ(m->normals[2].z, 1.0f);  // the last record wins
  EXPECT_EQ(m->texVertices[3].x, 0.5f);  // unscaled
  EXPECT_EQ(m->texVertices[3].y, 0.25f);
  EXPECT_EQ(m->faces[7].texA, 4);  // 1 record, index 7: goes on
  EXPECT_EQ(m->faces[1].texC, 3);  // 2 records, index 1: ends
}

// A record that breaks off ends the reading and keeps what was counted.
TEST(AseReader, DamagedRecordsEndTheReading) {
  for (const char* text : {"*MESH_VERTEX 1 x 2 3", "*MESH_VERTEX 1 1.5x 2 3", "*MESH_VERTEX 1 1 2",
                           "*MESH_VERTEX 99999999999 1 2 3", "*MESH_VERTEX 1 1e999 2 3",
                           "*MESH_FACE 0: A: x B: 1 C: 2", "*MESH_FACE 0:", "*MESH_TVERT 1 0.5",
                           "*MESH_VERTEXNORMAL 1 nan 0 0", "*MESH_TFACE 3 1 2 x"}) {
    auto m = Read(std::string("*MESH_VERTEX 0 1 2 3 *MESH_FACE 0: A: 0 B: 0 C: 0 ") + text +
                  " *MESH_VERTEX 2 1 2 3 *MESH_FACE 1: A: 0 B: 0 C: 0");
    SCOPED_TRACE(text);
    ExpectCounts(*m, 1, 1, 0);
    EXPECT_EQ(m->vertices[2].x, 0.0f);
  }
}

TEST(AseReader, RecordsOutsideTheArraysAreIgnored) {
  auto m = Read("*MESH_VERTEX -1 1 1 1 *MESH_VERTEX 2000 1 1 1 *MESH_VERTEX 1999 5 5 5\n"
                "*MESH_VERTEXNORMAL 2000 1 1 1 *MESH_TVERT -5 1 1 1 *MESH_TFACE -1 1 1 1\n"
                "*MESH_TFACE 2000 1 1 1 *MESH_FACE 0: A: -4 B: 0 C: 2000 *MESH_VERTEX 0 1 1 1");
  ExpectCounts(*m, 2, 1, 0);
  EXPECT_EQ(m->vertices[1999].x, 5.0f);
  EXPECT_FALSE(MeshModel::FaceDrawable(m->faces[0]));  // counted, never drawn
  std::string text;
  for (int i = 0; i <= kMeshCapacity; ++i) {
    const std::string n = std::to_string(i % kMeshCapacity);
    text += "*MESH_VERTEX " + n + " 1 2 3 *MESH_TVERT " + n + " 0 0 0 ";
    text += "*MESH_FACE 0: A: 0 B: 1 C: 2\n";
  }
  ResetGameRandom();
  for (int i = 0; i < kMeshCapacity; ++i) GameRandom();
  const int next = GameRandom();
  ResetGameRandom();
  ExpectCounts(*Read(text), kMeshCapacity, kMeshCapacity, kMeshCapacity);
  EXPECT_EQ(GameRandom(), next);  // the 2001st face drew no grey
}

TEST(AseReader, LoadReadsAFileAndSurvivesAMissingOne) {
  const std::string dir = MakeTempDir("ase");
  WriteFile(dir + "/box.ase", Crlf(kHead + kNormals));
  MeshModel model;
  model.Load((dir + "/box.ase").c_str(), 2.0f);
  ExpectCounts(model, 3, 1, 0);
  EXPECT_EQ(model.vertices[2].z, 1.0f);
  EXPECT_EQ(model.normals[0].y, -1.0f);
  model.Load((dir + "/missing.ase").c_str(), 2.0f);
  ExpectCounts(model, 0, 0, 0);
}
