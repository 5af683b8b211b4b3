// Meshes: the ASE reader (keyword tests and their exclusions, records, counts,
// the texture-face rule, damaged or out-of-range input), colour and random
// rules, glow painting and fading, and drawing on a real GL context (state
// left behind, placement, glow in the colour).
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "GlHarness.h"
#include "GlState.h"
#include "TestFiles.h"
#include "math/GameRandom.h"
#include "mesh/MeshModel.h"

namespace {
Vertex P(float x, float y, float z) { return Vertex{x, y, z, 0.0f, 0.0f}; }

std::unique_ptr<MeshModel> ModelWith(std::initializer_list<Vertex> points, int faces = 0) {
  auto m = std::make_unique<MeshModel>();
  for (const Vertex& p : points) m->vertices[m->vertexCount++] = p;
  m->faceCount = faces;
  return m;
}

// The generator's nth value from a fresh start; leaves it reset.
int NthRandom(int n) {
  ResetGameRandom();
  int value = 0;
  for (int i = 0; i < n; ++i) value = GameRandom();
  ResetGameRandom();
  return value;
}

void ExpectGlow(const Vertex& g, float r, float gr, float b, float a) {
  EXPECT_FLOAT_EQ(g.x, r);
  EXPECT_FLOAT_EQ(g.y, gr);
  EXPECT_FLOAT_EQ(g.z, b);
  EXPECT_FLOAT_EQ(g.s, a);
}

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

TEST(AseReader, WorkedExampleEndsAtTheTextureFaces) {
  ResetGameRandom();
  auto m = Read(kHead + kTexture + kNormals, 2.0f);
  ExpectCounts(*m, 3, 1, 1);
  EXPECT_TRUE(m->vertices[1].x == 10.0f && m->vertices[2].y == 10.0f && m->vertices[2].z == 1.0f);
  const MeshFace& f = m->faces[0];
  EXPECT_EQ(f.vertexA * 100 + f.vertexB * 10 + f.vertexC, 12);
  EXPECT_EQ(f.red, 1.0f - 41.0f / 255.0f);  // the sequence starts with 41
  EXPECT_TRUE(f.blue == f.red && f.alpha == 1.0f);
  EXPECT_EQ(m->texVertices[0].y, 1.0f);
  EXPECT_EQ(m->normals[0].y, 0.0f);  // the texture faces ended the reading
}

// Each text is followed by a vertex record that shows whether reading went on.
TEST(AseReader, KeywordTestsAndExclusions) {
  struct Case {
    const char* text;
    int vertices, faces, texVertices;
  };
  const Case cases[] = {
      {"*MESH_VERTEX_LIST 0 1 2 3", 1, 0, 0},
      {"*MESH_VERTEX_LISX 0 1 2 3", 1, 0, 0},
      {"*MESH_VERTEX_LI 0 1 2 3", 2, 0, 0},
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
      {"*MESH_TFACE_LIST 0 1 2 3", 1, 0, 0},
      {"*MESH_TFACELIST { *MESH_TFACE 0 0 1 2 }", 0, 0, 0},
      {"*MESH_TFACE 0 0 1 2", 0, 0, 0},
      {"*MESH_TFACE 7 0 1 2", 1, 0, 0},
  };
  for (const Case& c : cases) {
    auto m = Read(std::string(c.text) + "\n*MESH_VERTEX 9 1 1 1\n");
    SCOPED_TRACE(c.text);
    ExpectCounts(*m, c.vertices, c.faces, c.texVertices);
  }
}

TEST(AseReader, RecordsCountsNormalsAndTheTextureFaceRule) {
  const std::string junk(60000, 'q');  // long tokens are cut, not overflowed
  auto m = Read("*NODE_NAME \"" + junk +
                    "\" *MESH_FACE 5: A: 7 B: 8 C: 9\n"
                    "*MESH_FACE 3: A: 4 B: 5 C: 6 *MESH_VERTEX 0 1 2 3 *MESH_VERTEX" +
                    junk +
                    " 0 4 5 6 *MESH_VERTEX 7 1.5e3 -0.0 +2\n"
                    "*MESH_VERTEXNORMAL 1 0.0 0.0 1.0 *MESH_VERTEXNORMAL 2 0.0 0.0 1.0\n"
                    "*MESH_VERTEXNORMAL 2 0.0 1.0 0.0 *MESH_TVERT 3 0.5 0.25 9\n"
                    "*MESH_TFACE 7 4 5 6 *MESH_TFACE 1 1 2 3 *MESH_VERTEX 1 1 1 1",
                3.9f);
  ExpectCounts(*m, 3, 2, 1);          // records, not highest index + 1
  EXPECT_EQ(m->faces[0].vertexA, 7);  // file order, not the face's number
  EXPECT_EQ(m->faces[1].vertexC, 6);
  EXPECT_EQ(m->vertices[0].x, 4.0f * 3.9f);
  EXPECT_EQ(m->vertices[7].x, 1500.0f * 3.9f);
  EXPECT_TRUE(std::signbit(m->vertices[7].y));
  EXPECT_EQ(m->vertices[7].z, 2.0f * 3.9f);
  EXPECT_EQ(m->normals[1].y, -1.0f);
  EXPECT_EQ(m->normals[2].z, 1.0f);      // the last record wins
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
  auto m = Read(
      "*MESH_VERTEX -1 1 1 1 *MESH_VERTEX 2000 1 1 1 *MESH_VERTEX 1999 5 5 5\n"
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
  const int next = NthRandom(kMeshCapacity + 1);
  ExpectCounts(*Read(text), kMeshCapacity, kMeshCapacity, kMeshCapacity);
  EXPECT_EQ(GameRandom(), next);  // the 2001st face drew no grey
}

// Without texture lists the normals are read; line ends may be CR LF.
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

TEST(MeshModel, ColourAlphaAndTheRandomSequence) {
  auto m = ModelWith({}, 3);
  m->SetAlpha(0.6f);
  const int second = NthRandom(2), fourth = NthRandom(4);
  m->SetColour(0.8f, 0.0f, 0.8f, 0);
  EXPECT_EQ(m->faces[2].red, 0.8f);
  m->faces[1].green = 0.3f;
  m->SetColour(0.8f, 0.0f, 0.8f, 1);  // the tint writes one grey, never 0.8
  const float grey = 1.0f - static_cast<float>(second % 26) / 255.0f;
  EXPECT_EQ(m->faces[1].red, grey);
  EXPECT_EQ(m->faces[1].blue, grey);
  EXPECT_EQ(m->faces[1].green, 0.3f);
  EXPECT_EQ(m->faces[1].alpha, 0.6f);
  EXPECT_EQ(m->faces[3].red, 0.0f);            // beyond faceCount
  MeshModel().SetColour(1.0f, 1.0f, 1.0f, 0);  // draws even with no faces
  EXPECT_EQ(GameRandom(), fourth);
  std::ostringstream out;
  m->faces[0].SetVertices(12, 3, 1999);
  m->faces[0].PrintVertexNumbers(out);
  EXPECT_EQ(out.str(),
            "Vertex Number One  : 12\nVertex Number Two  : 3\nVertex Number Three: 1999\n");
}

TEST(MeshModel, DecayFadesOrClears) {
  // {before, decay on, after}
  const float cases[][3] = {{1.0f, 1, static_cast<float>(1.0f * 0.98)},
                            {0.00102f, 1, 0.0f},
                            {0.0011f, 1, 0.001078f},
                            {-1.0f, 1, 0.0f},
                            {2.0f, 0, 0.0f},
                            {-1.0f, 0, 0.0f}};
  for (const auto& c : cases) {
    auto m = ModelWith({P(0, 0, 0)});
    m->glowDecay = static_cast<int>(c[1]);
    m->glow[0] = Vertex{c[0], c[0], c[0], c[0], 0.0f};
    m->glow[1].x = c[0];  // beyond vertexCount: untouched
    m->DecayGlow();
    ExpectGlow(m->glow[0], c[2], c[2], c[2], c[2]);
    EXPECT_EQ(m->glow[1].x, c[0]);
  }
  for (float start : {1.0f, 2.0f}) {
    auto m = ModelWith({P(0, 0, 0)});
    m->EnableGlowDecay();
    m->glow[0].x = start;
    int draws = 0;
    for (; m->glow[0].x != 0.0f; ++draws) m->DecayGlow();
    EXPECT_EQ(draws, start == 1.0f ? 342 : 377);
  }
}

// Two offsets of D make the halved-squares measure exactly D. Model z pairs
// with the point's y, minus model y with its z.
TEST(MeshGlow, GlowNearColoursAndRadii) {
  struct Case {
    Vertex vertex, point;
    int colour;
    float r, g, b;
  };
  const Case cases[] = {
      {P(50, 0, 50), P(0, 0, 0), 1, 1, 1, 1},
      {P(140, -140, 0), P(0, 0, 0), 0, 0.5f, 0, 0},
      {P(0, 0, 200), P(-200, 0, 0), 1, 0.3f, 0.3f, 0.3f},  // d = 200: unchanged
      {P(0, 0, 0), P(10, 10, 10), 5, -1, -1, 1},
      {P(0, 0, 0), P(0, 0, 100), 2, 0, 0, 1},     // true 100: d = 70.7
      {P(0, 0, 100), P(0, 100, 0), 0, 1, 0, 0},   // model z is up
      {P(0, -100, 0), P(0, 0, 100), 0, 1, 0, 0},  // model -y is world z
      {P(0, 0, 100), P(0, 0, 100), 1, 0.8333333f, 0.8333333f, 0.8333333f},
      {P(1000, 0, 0), P(0, 0, 0), 1, 1, 0.5f, -2},  // far: capped above only
  };
  for (const Case& c : cases) {
    auto m = ModelWith({c.vertex});
    m->SetPosition(0, 20, 0);  // ignored
    m->glow[0] =
        c.vertex.x == 1000 ? Vertex{3, 0.5f, -2, 0.7f, 0} : Vertex{0.3f, 0.3f, 0.3f, 0.7f, 0};
    m->GlowNear(c.point, c.colour);
    ExpectGlow(m->glow[0], c.r, c.g, c.b, 0.7f);
  }
}

TEST(MeshGlow, FlashAddsAroundTheStruckPoint) {
  auto paddle = ModelWith({P(0, -15, 0), P(17.5f, -15, 17.5f), P(25, -15, 25), P(0, 40, 0)});
  paddle->SetPosition(0, 0, -415);  // model y -15 stands at world z -400
  for (int i = 0; i < 4; ++i) paddle->glow[i] = Vertex{0.2f, 0.2f, 0.2f, 0.5f, 0};
  paddle->Flash(P(0, 0, -400));
  ExpectGlow(paddle->glow[0], 1.2f, 1.2f, 1.2f, 1.0f);
  ExpectGlow(paddle->glow[1], 0.7f, 0.7f, 0.7f, 1.0f);  // d = 17.5
  ExpectGlow(paddle->glow[2], 0.2f, 0.2f, 0.2f, 0.5f);  // d = 25
  ExpectGlow(paddle->glow[3], 0.2f, 0.2f, 0.2f, 0.5f);
  paddle->Flash(P(0, 0, -400));
  ExpectGlow(paddle->glow[0], 2.2f, 2.2f, 2.2f, 1.0f);
}

class MeshDrawTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    glMatrixMode(GL_PROJECTION);
    gluPerspective(60.0, 1024.0 / 768.0, 1.0, 12000.0);
    glMatrixMode(GL_MODELVIEW);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    camera.StartOrbit();
    camera.autoRotate = 0;
    camera.Update(P(0, 10, 0));
  }

  // Where a world point lands on screen, by an independent look-at view.
  Rgb PixelOf(float x, float y, float z) {
    GLdouble look[16], projection[16], wx, wy, wz;
    GLint viewport[4];
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(camera.position.x, camera.position.y, camera.position.z, 0, 10, 0, 0, 1, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, look);
    glPopMatrix();
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, look, projection, viewport, &wx, &wy, &wz);
    return PixelAt(static_cast<int>(std::lround(wx)), static_cast<int>(std::lround(wy)));
  }

  // A triangle upright in model x-z round model point (x, y, z).
  static MeshFace& AddTriangle(MeshModel& m, float x, float y, float z) {
    const int v = m.vertexCount;
    m.vertices[v] = P(x - 40, y, z - 30);
    m.vertices[v + 1] = P(x + 40, y, z - 30);
    m.vertices[v + 2] = P(x, y, z + 50);
    m.vertexCount += 3;
    m.faces[m.faceCount].SetVertices(v, v + 1, v + 2);
    return m.faces[m.faceCount++];
  }

  OrbitCamera camera;
};

TEST_F(MeshDrawTest, LeavesTheStateItPromises) {
  for (int textured : {0, 1}) {
    GLuint texture;
    glGenTextures(1, &texture);
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    MeshModel m;
    AddTriangle(m, 0, 0, 0);
    m.Draw(ViewState(camera), texture, textured);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(after[k], before[k]);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S) || glIsEnabled(GL_TEXTURE_GEN_T));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(GlRead(glGetTexEnviv, GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE), GL_MODULATE);
    EXPECT_EQ(GLuint(GlRead(glGetIntegerv, GL_TEXTURE_BINDING_2D)), texture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
}

// Model z is up and model -y comes toward the viewer; the glow is added to
// the colour sent and cleared by the draw; a broken face is skipped.
TEST_F(MeshDrawTest, TrianglesLandWhereTheViewPutsThem) {
  MeshModel m;
  m.SetPosition(100, 10, 0);
  MeshFace& high = AddTriangle(m, 0, 0, 150);  // world (100, 160, 0)
  high.red = 0.5f, high.green = high.blue = 0.2f;
  for (int i = 0; i < 3; ++i) m.glow[i] = Vertex{0.5f, 0.3f, 0.0f, 0.0f, 0.0f};
  MeshFace& near = AddTriangle(m, -300, -300, 0);  // world (-200, 10, 300)
  near.red = near.blue = 0.0f, near.green = 1.0f;
  m.faces[m.faceCount++].SetVertices(0, 1, kMeshCapacity);  // never drawn
  m.Draw(ViewState(camera), 0, 1);
  EXPECT_TRUE(Near(PixelOf(100, 160, 0), Rgb{255, 128, 51}, 1)) << PixelOf(100, 160, 0);
  EXPECT_EQ(PixelOf(-200, 10, 300), (Rgb{0, 255, 0}));
  EXPECT_EQ(PixelOf(100, 10, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(PixelOf(-200, 160, 0), (Rgb{0, 0, 0}));
  m.Draw(ViewState(camera), 0, 1);
  EXPECT_TRUE(Near(PixelOf(100, 160, 0), Rgb{128, 51, 51}, 1)) << PixelOf(100, 160, 0);
}

// Textured corners read texVertices by vertex index, whatever texA..texC say.
TEST_F(MeshDrawTest, TexturedCornersUseTheVertexIndex) {
  const unsigned char texels[] = {255, 0, 0, 0, 0, 255};  // red | blue
  GLuint texture;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  MeshModel m;
  m.SetPosition(0, 10, 0);
  AddTriangle(m, 0, 0, 0).SetTexVertices(3, 4, 5);
  for (int i = 0; i < 6; ++i) m.texVertices[i] = P(i < 3 ? 0.25f : 0.75f, 0.5f, 0);
  m.Draw(ViewState(camera), texture, 1);
  EXPECT_EQ(PixelOf(0, 10, 0), (Rgb{255, 0, 0}));
}

// A read error ends the reading as the end of the file does, and so does the
// size limit, whatever follows it.
TEST(AseReader, LoadEndsAtAReadErrorOrTheSizeLimit) {
  const std::string past = MakeTempDir("ase-limit") + "/past.ase";
  {
    std::ofstream out(past);
    out.seekp(kMeshFileLimit);  // a hole: as many zero bytes, one endless token
    out << " *MESH_VERTEX 0 1.0 2.0 3.0";
  }
  for (const std::string& path : {std::string("/proc/self/mem"), past}) {
    SCOPED_TRACE(path);
    MeshModel model;
    EXPECT_NO_THROW(model.Load(path.c_str(), 1.0f));
    ExpectCounts(model, 0, 0, 0);
  }
  std::remove(past.c_str());
}
