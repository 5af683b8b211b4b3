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
const char kHead[] =
    "*3DSMAX_ASCIIEXPORT 200\n*GEOMOBJECT {\n *NODE_NAME \"Box\"\n *MESH {\n"
    "  *MESH_NUMVERTEX 3\n  *MESH_VERTEX_LIST {\n"
    "   *MESH_VERTEX 0 0.0 0.0 0.0\n   *MESH_VERTEX 1 5.0 0.0 0.0\n"
    "   *MESH_VERTEX 2 0.0 5.0 0.5\n  }\n  *MESH_FACE_LIST {\n"
    "   *MESH_FACE 0: A: 0 B: 1 C: 2 AB: 1 BC: 1 CA: 0 *MESH_SMOOTHING 1 *MESH_MTLID 0\n"
    "  }\n";
const char kTexture[] =
    "  *MESH_NUMTVERTEX 1\n  *MESH_TVERTLIST {\n   *MESH_TVERT 0 0.0 1.0 0.0\n  }\n"
    "  *MESH_TFACELIST {\n   *MESH_TFACE 0 0 1 2\n  }\n";
const char kNormals[] =
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

void ExpectVec(const Vec3& v, float x, float y, float z) {
  EXPECT_EQ(v.x, x);
  EXPECT_EQ(v.y, y);
  EXPECT_EQ(v.z, z);
}
}  // namespace

TEST(AseReader, WorkedExampleWithAndWithoutTextureLists) {
  for (bool crlf : {false, true}) {
    ResetGameRandom();
    const std::string text = std::string(kHead) + kTexture + kNormals;
    auto m = Read(crlf ? Crlf(text) : text, 2.0f);
    EXPECT_EQ(m->vertexCount, 3);
    EXPECT_EQ(m->faceCount, 1);
    EXPECT_EQ(m->texVertexCount, 1);
    EXPECT_EQ(m->vertices[1].x, 10.0f);
    EXPECT_EQ(m->vertices[2].y, 10.0f);
    EXPECT_EQ(m->vertices[2].z, 1.0f);
    const MeshFace& f = m->faces[0];
    EXPECT_EQ(f.vertexA * 100 + f.vertexB * 10 + f.vertexC, 12);
    EXPECT_EQ(f.red, 1.0f - 41.0f / 255.0f);  // first value of the sequence is 41
    EXPECT_EQ(f.green, f.red);
    EXPECT_EQ(f.alpha, 1.0f);
    EXPECT_EQ(m->texVertices[0].y, 1.0f);
    ExpectVec(m->normals[0], 0.0f, 0.0f, 0.0f);  // the texture faces ended it
  }
  auto plain = Read(std::string(kHead) + kNormals, 2.0f);
  EXPECT_EQ(plain->texVertexCount, 0);
  ExpectVec(plain->normals[0], 0.0f, -1.0f, 0.0f);
}

// Each line is read alone, followed by a vertex record that shows whether
// the reading went on.
TEST(AseReader, KeywordTestsAndExclusions) {
  struct Case { const char* text; int vertices, faces, texVertices; };
  const Case cases[] = {
      {"*MESH_VERTEX_LIST 0 1 2 3", 1, 0, 0},
      {"*MESH_VERTEX_LISX 0 1 2 3", 1, 0, 0},
      {"*MESH_VERTEX_LI 0 1 2 3", 2, 0, 0},  // too short for the exclusion
      {"*MESH_VERTEXNORMAL 0 1 2 3", 1, 0, 0},
      {"*MESH_VERTEXNORMALS 0 1 2 3", 1, 0, 0},
      {"*MESH_VERTEXNORMA 0 1 2 3", 2, 0, 0},
      {"*MESH_VERTE 0 1 2 3", 1, 0, 0},
      {"*mesh_vertex 0 1 2 3", 1, 0, 0},
      {"*MESH_FACE_LIST { 0: A: 1 B: 2 C: 3", 1, 0, 0},
      {"*MESH_FACENORMAL 0 0.0 0.0 1.0", 1, 0, 0},
      {"*MESH_FACEMAPLIST 0: A: 1 B: 2 C: 3", 1, 1, 0},
      {"*MESH_FACENORMA 0: A: 1 B: 2 C: 3", 1, 1, 0},
      {"*MESH_TVERTLIST 0 1 2 3", 1, 0, 0},
      {"*MESH_TVERTLISX 0 1 2 3", 1, 0, 1},
      {"*MESH_TVERT 0 0.5 0.25 0", 1, 0, 1},
      {"*MESH_TFACE_LIST 0 1 2 3", 1, 0, 0},
      {"*MESH_TFACELIST { *MESH_TFACE 0 0 1 2 }", 0, 0, 0},
      {"*MESH_TFACE 0 0 1 2", 0, 0, 0},
      {"*MESH_TFACE 7 0 1 2", 1, 0, 0},
      {"", 1, 0, 0},
  };
  for (const Case& c : cases) {
    auto m = Read(std::string(c.text) + "\n*MESH_VERTEX 9 1 1 1\n");
    EXPECT_EQ(m->vertexCount, c.vertices) << c.text;
    EXPECT_EQ(m->faceCount, c.faces) << c.text;
    EXPECT_EQ(m->texVertexCount, c.texVertices) << c.text;
  }
}

TEST(AseReader, RecordsCountsAndNormals) {
  auto m = Read(
      "*MESH_FACE 5: A: 7 B: 8 C: 9 *MESH_FACE 3: A: 4 B: 5 C: 6\n"
      "*MESH_VERTEX 0 1 2 3 *MESH_VERTEX 0 4 5 6 *MESH_VERTEX 7 1.5e3 -0.0 +2\n"
      "*MESH_VERTEXNORMAL 1 0.0 0.0 1.0 *MESH_VERTEXNORMAL 2 0.0 0.0 1.0\n"
      "*MESH_VERTEXNORMAL 2 0.0 1.0 0.0 *MESH_TVERT 3 0.5 0.25 9\n",
      3.9f);
  EXPECT_EQ(m->faceCount, 2);
  EXPECT_EQ(m->faces[0].vertexA, 7);  // file order, not the face's number
  EXPECT_EQ(m->faces[1].vertexC, 6);
  EXPECT_EQ(m->vertexCount, 3);  // records, not highest index + 1
  EXPECT_EQ(m->vertices[0].x, 4.0f * 3.9f);
  EXPECT_EQ(m->vertices[7].x, 1500.0f * 3.9f);
  EXPECT_TRUE(std::signbit(m->vertices[7].y));
  EXPECT_EQ(m->vertices[7].z, 2.0f * 3.9f);
  ExpectVec(m->normals[1], 0.0f, -1.0f, 0.0f);
  ExpectVec(m->normals[2], 0.0f, 0.0f, 1.0f);  // the last record wins
  EXPECT_EQ(m->texVertexCount, 1);
  EXPECT_EQ(m->texVertices[3].x, 0.5f);  // unscaled
  EXPECT_EQ(m->texVertices[3].y, 0.25f);
}

TEST(AseReader, TextureFaceRule) {
  auto m = Read("*MESH_TFACE 7 4 5 6 *MESH_TFACE 1 1 2 3 *MESH_VERTEX 0 1 1 1");
  EXPECT_EQ(m->faces[7].texA, 4);  // 1 record, index 7: goes on
  EXPECT_EQ(m->faces[1].texC, 3);  // 2 records, index 1: ends
  EXPECT_EQ(m->vertexCount, 0);
  m = Read("*MESH_FACE 0: A: 0 B: 1 C: 2 *MESH_TFACE 0 3 4 5 *MESH_VERTEX 0 1 1 1");
  EXPECT_EQ(m->faces[0].texB, 4);
  EXPECT_EQ(m->faces[0].vertexB, 1);
  EXPECT_EQ(m->vertexCount, 0);
}

// A record that breaks off ends the reading and keeps what was counted.
TEST(AseReader, DamagedRecordsEndTheReading) {
  const char* cases[] = {
      "*MESH_VERTEX 1 x 2 3", "*MESH_VERTEX 1 1.5x 2 3", "*MESH_VERTEX 1 1 2",
      "*MESH_VERTEX 99999999999 1 2 3", "*MESH_VERTEX 1 1e999 2 3",
      "*MESH_FACE 0: A: x B: 1 C: 2", "*MESH_FACE 0:", "*MESH_TVERT 1 0.5",
      "*MESH_VERTEXNORMAL 1 nan 0 0", "*MESH_TFACE 3 1 2 x",
  };
  for (const char* text : cases) {
    auto m = Read(std::string("*MESH_VERTEX 0 1 2 3 *MESH_FACE 0: A: 0 B: 0 C: 0 ") + text +
                  " *MESH_VERTEX 2 1 2 3 *MESH_FACE 1: A: 0 B: 0 C: 0");
    EXPECT_EQ(m->vertexCount, 1) << text;
    EXPECT_EQ(m->faceCount, 1) << text;
    EXPECT_EQ(m->vertices[2].x, 0.0f) << text;
  }
}

TEST(AseReader, IndicesOutsideTheArraysAreIgnored) {
  auto m = Read(
      "*MESH_VERTEX -1 1 1 1 *MESH_VERTEX 2000 1 1 1 *MESH_VERTEX 1999 5 5 5\n"
      "*MESH_VERTEXNORMAL 2000 1 1 1 *MESH_VERTEXNORMAL -3 1 1 1\n"
      "*MESH_TVERT -5 1 1 1 *MESH_TVERT 2000 1 1 1 *MESH_TFACE -1 1 1 1\n"
      "*MESH_TFACE 2000 1 1 1 *MESH_FACE 0: A: -4 B: 0 C: 2000\n"
      "*MESH_VERTEX 0 1 1 1");
  EXPECT_EQ(m->vertexCount, 2);
  EXPECT_EQ(m->vertices[1999].x, 5.0f);
  EXPECT_EQ(m->texVertexCount, 0);
  EXPECT_EQ(m->faceCount, 1);  // kept and counted; Draw never draws it
  EXPECT_EQ(m->faces[0].vertexA, -4);
  EXPECT_FALSE(MeshModel::FaceDrawable(m->faces[0]));
}

TEST(AseReader, RecordsBeyondTheRoomAreIgnored) {
  std::string text;
  for (int i = 0; i <= kMeshCapacity; ++i) {
    const std::string n = std::to_string(i % kMeshCapacity);
    text += "*MESH_VERTEX " + n + " 1 2 3 *MESH_TVERT " + n + " 0 0 0 *MESH_FACE " + n +
            ": A: 0 B: 1 C: 2\n";
  }
  ResetGameRandom();
  auto m = Read(text);
  EXPECT_EQ(m->vertexCount, kMeshCapacity);
  EXPECT_EQ(m->texVertexCount, kMeshCapacity);
  EXPECT_EQ(m->faceCount, kMeshCapacity);
  // One grey per stored face: the 2001st face drew nothing.
  ResetGameRandom();
  for (int i = 0; i < kMeshCapacity; ++i) GameRandom();
  const int next = GameRandom();
  ResetGameRandom();
  Read(text);
  EXPECT_EQ(GameRandom(), next);
}

TEST(AseReader, LongTokensAreCutForTheKeywordTests) {
  const std::string junk(60000, 'q');
  auto m = Read("*NODE_NAME \"" + junk + "\" *MESH_VERTEX" + junk + " 0 1 2 3 " +
                "*MESH_VERTEXNORMAL" + junk + " 0 0 0 1 *MESH_VERTEX 1 1 1 1 " + junk);
  EXPECT_EQ(m->vertexCount, 2);
  EXPECT_EQ(m->vertices[0].z, 3.0f);
  ExpectVec(m->normals[0], 0.0f, -1.0f, 0.0f);
}

TEST(AseReader, LoadReadsAFileAndSurvivesAMissingOne) {
  const std::string dir = MakeTempDir("ase");
  WriteFile(dir + "/box.ase", Crlf(std::string(kHead) + kNormals));
  MeshModel model;
  model.Load((dir + "/box.ase").c_str(), 2.0f);
  EXPECT_EQ(model.vertexCount, 3);
  EXPECT_EQ(model.faceCount, 1);
  EXPECT_EQ(model.vertices[2].z, 1.0f);
  ExpectVec(model.normals[0], 0.0f, -1.0f, 0.0f);
  model.Load((dir + "/missing.ase").c_str(), 2.0f);
  EXPECT_EQ(model.vertexCount, 0);
  EXPECT_EQ(model.faceCount, 0);
  EXPECT_EQ(model.texVertexCount, 0);
  WriteFile(dir + "/empty.ase", " \r\n\t ");
  MeshModel empty;
  empty.Load((dir + "/empty.ase").c_str(), 1.0f);
  EXPECT_EQ(empty.vertexCount + empty.faceCount + empty.texVertexCount, 0);
}
