// MeshModel: colour and alpha rules, glow painting and fading, and drawing
// on a real GL context (state left behind, placement, glow in the colour).
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <sstream>

#include "GlHarness.h"
#include "math/GameRandom.h"
#include "mesh/MeshModel.h"

namespace {
Vertex P(float x, float y, float z) { return Vertex{x, y, z, 0.0f, 0.0f}; }

// A model with one vertex per given position and `faces` faces.
std::unique_ptr<MeshModel> ModelWith(std::initializer_list<Vertex> points, int faces = 0) {
  auto m = std::make_unique<MeshModel>();
  for (const Vertex& p : points) m->vertices[m->vertexCount++] = p;
  m->faceCount = faces;
  return m;
}

// The first values of the never-seeded sequence, for checking draws.
int NthRandom(int n) {
  ResetGameRandom();
  int value = 0;
  for (int i = 0; i < n; ++i) value = GameRandom();
  ResetGameRandom();
  return value;
}

void ExpectGlow(const Vertex& g, float r, float gr, float b, float a, const char* what) {
  EXPECT_FLOAT_EQ(g.x, r) << what;
  EXPECT_FLOAT_EQ(g.y, gr) << what;
  EXPECT_FLOAT_EQ(g.z, b) << what;
  EXPECT_FLOAT_EQ(g.s, a) << what;
}
}  // namespace

TEST(MeshModel, ConstructionAndFacePrinting) {
  MeshModel m;
  EXPECT_EQ(m.position.x, 0.0f);
  EXPECT_EQ(m.position.y, 200.0f);
  EXPECT_EQ(m.faceCount + m.vertexCount + m.glowDecay, 0);
  for (int i = 0; i < kMeshCapacity; ++i) {
    ASSERT_EQ(m.normals[i].x + m.normals[i].y + m.normals[i].z, 0.0f);
    ASSERT_EQ(m.glow[i].x + m.glow[i].y + m.glow[i].z + m.glow[i].s, 0.0f);
  }
  MeshFace face;
  face.SetVertices(12, 3, 1999);
  std::ostringstream out;
  face.PrintVertexNumbers(out);
  EXPECT_EQ(out.str(),
            "Vertex Number One  : 12\nVertex Number Two  : 3\nVertex Number Three: 1999\n");
}

TEST(MeshModel, ColourAlphaAndTheRandomSequence) {
  auto m = ModelWith({}, 3);
  m->SetAlpha(0.6f);
  const int first = NthRandom(1), second = NthRandom(2), fourth = NthRandom(4);
  m->SetColour(0.8f, 0.0f, 0.8f, 0);
  EXPECT_EQ(m->faces[2].red, 0.8f);
  EXPECT_EQ(m->faces[2].green, 0.0f);
  m->faces[1].green = 0.3f;
  m->SetColour(0.8f, 0.0f, 0.8f, 1);  // the tint writes the grey, not 0.8
  const float grey = 1.0f - static_cast<float>(second % 26) / 255.0f;
  EXPECT_EQ(m->faces[1].red, grey);
  EXPECT_EQ(m->faces[1].blue, grey);
  EXPECT_EQ(m->faces[1].green, 0.3f);
  EXPECT_EQ(m->faces[1].alpha, 0.6f);
  EXPECT_EQ(m->faces[3].red, 0.0f);  // beyond faceCount
  EXPECT_NE(first % 26, second % 26);
  MeshModel empty;
  empty.SetColour(1.0f, 1.0f, 1.0f, 0);  // draws even with no faces
  EXPECT_EQ(GameRandom(), fourth);
  for (int i = 0; i < 200; ++i) {
    MeshFace face;
    face.SetVertices(0, 1, 2);
    ASSERT_GE(face.red, 1.0f - 55.0f / 255.0f);
    ASSERT_EQ(face.alpha, 1.0f);
  }
}

TEST(MeshModel, ScaleTouchesLoadedPositionsOnly) {
  auto m = ModelWith({P(1, -2, 3), P(0.5f, 0, 0)});
  m->vertices[2] = P(7, 7, 7);
  m->normals[0] = Vec3{0, 1, 0};
  m->texVertices[0] = P(0.5f, 0.25f, 0);
  m->Scale(2.0f);
  EXPECT_EQ(m->vertices[0].y, -4.0f);
  EXPECT_EQ(m->vertices[1].x, 1.0f);
  EXPECT_EQ(m->vertices[2].x, 7.0f);
  EXPECT_EQ(m->normals[0].y, 1.0f);
  EXPECT_EQ(m->texVertices[0].x, 0.5f);
}

TEST(MeshModel, DecayFadesOrClears) {
  struct Case { float before; int decay; float after; };
  const Case cases[] = {{1.0f, 1, static_cast<float>(1.0f * 0.98)}, {0.00102f, 1, 0.0f},
                        {0.0011f, 1, static_cast<float>(0.0011f * 0.98)}, {-1.0f, 1, 0.0f},
                        {2.0f, 0, 0.0f}, {-1.0f, 0, 0.0f}, {0.5f, 0, 0.0f}};
  for (const Case& c : cases) {
    auto m = ModelWith({P(0, 0, 0)});
    m->glowDecay = c.decay;
    m->glow[0] = Vertex{c.before, c.before, c.before, c.before, 0.0f};
    m->glow[1] = Vertex{c.before, 0, 0, 0, 0};  // beyond vertexCount
    m->DecayGlow();
    ExpectGlow(m->glow[0], c.after, c.after, c.after, c.after, "decay");
    EXPECT_EQ(m->glow[1].x, c.before);
  }
  EXPECT_NEAR(static_cast<float>(0.0011f * 0.98), 0.001078f, 1e-9);
  for (float start : {1.0f, 2.0f}) {
    auto m = ModelWith({P(0, 0, 0)});
    m->EnableGlowDecay();
    m->glow[0].x = start;
    int draws = 0;
    while (m->glow[0].x != 0.0f) {
      m->DecayGlow();
      ++draws;
    }
    EXPECT_EQ(draws, start == 1.0f ? 342 : 377);
  }
}

// Vertices are placed so the halved-squares measure is exact: two offsets of
// D give d = D. Model z pairs with the point's y, minus model y with its z.
TEST(MeshGlow, GlowNearColoursAndRadii) {
  struct Case { Vertex vertex, point; int colour; float r, g, b; };
  const Case cases[] = {
      {P(50, 0, 50), P(0, 0, 0), 1, 1, 1, 1},
      {P(140, -140, 0), P(0, 0, 0), 0, 0.5f, 0, 0},
      {P(0, 0, 200), P(-200, 0, 0), 1, 0.3f, 0.3f, 0.3f},  // d = 200: unchanged
      {P(0, 0, 0), P(10, 10, 10), 5, -1, -1, 1},
      {P(0, 0, 0), P(0, 0, 100), 2, 0, 0, 1},     // true 100: d = 70.7
      {P(0, 0, 100), P(0, 100, 0), 0, 1, 0, 0},   // model z is up
      {P(0, -100, 0), P(0, 0, 100), 0, 1, 0, 0},  // model -y is world z
      {P(0, 0, 100), P(0, 0, 100), 1, 0.8333333f, 0.8333333f, 0.8333333f},
  };
  for (const Case& c : cases) {
    auto m = ModelWith({c.vertex});
    m->SetPosition(0, 20, 0);  // ignored
    m->glow[0] = Vertex{0.3f, 0.3f, 0.3f, 0.7f, 0.0f};
    m->GlowNear(c.point, c.colour);
    ExpectGlow(m->glow[0], c.r, c.g, c.b, 0.7f, "glow near");
  }
  auto far = ModelWith({P(1000, 0, 0)});
  far->glow[0] = Vertex{3.0f, 0.5f, -2.0f, 4.0f, 0.0f};
  far->GlowNear(P(0, 0, 0), 1);
  ExpectGlow(far->glow[0], 1.0f, 0.5f, -2.0f, 4.0f, "capped above only");
}

TEST(MeshGlow, FlashAddsAroundTheStruckPoint) {
  auto paddle = ModelWith({P(0, -15, 0), P(17.5f, -15, 17.5f), P(25, -15, 25), P(0, 40, 0)});
  paddle->SetPosition(0, 0, -415);  // model y -15 stands at world z -400
  for (int i = 0; i < 4; ++i) paddle->glow[i] = Vertex{0.2f, 0.2f, 0.2f, 0.5f, 0};
  paddle->Flash(P(0, 0, -400));
  ExpectGlow(paddle->glow[0], 1.2f, 1.2f, 1.2f, 1.0f, "core");
  ExpectGlow(paddle->glow[1], 0.7f, 0.7f, 0.7f, 1.0f, "d = 17.5");
  ExpectGlow(paddle->glow[2], 0.2f, 0.2f, 0.2f, 0.5f, "d = 25");
  ExpectGlow(paddle->glow[3], 0.2f, 0.2f, 0.2f, 0.5f, "other side");
  paddle->Flash(P(0, 0, -400));
  ExpectGlow(paddle->glow[0], 2.2f, 2.2f, 2.2f, 1.0f, "two flashes");
}

class MeshDrawTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    glViewport(0, 0, 1024, 768);
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
  void Project(float x, float y, float z, int& px, int& py) {
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
    px = static_cast<int>(std::lround(wx));
    py = static_cast<int>(std::lround(wy));
  }

  // A 40-unit triangle round model point (x, y, z), upright in model x-z.
  static void AddTriangle(MeshModel& m, float x, float y, float z, float r, float g, float b) {
    const int v = m.vertexCount;
    m.vertices[v] = P(x - 40, y, z - 30);
    m.vertices[v + 1] = P(x + 40, y, z - 30);
    m.vertices[v + 2] = P(x, y, z + 50);
    m.vertexCount += 3;
    MeshFace& f = m.faces[m.faceCount++];
    f.SetVertices(v, v + 1, v + 2);
    f.red = r;
    f.green = g;
    f.blue = b;
  }

  OrbitCamera camera;
};

TEST_F(MeshDrawTest, LeavesTheStateItPromises) {
  for (int textured : {0, 1}) {
    GLuint texture;
    glGenTextures(1, &texture);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    auto m = ModelWith({P(0, 0, 0), P(1, 0, 0), P(0, 0, 1)}, 1);
    m->faces[0].SetVertices(0, 1, 2);
    m->Draw(ViewState(camera), texture, textured);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int k = 0; k < 16; ++k) EXPECT_EQ(after[k], before[k]);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint value;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
    EXPECT_EQ(static_cast<GLuint>(value), texture);
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &value);
    if (textured == 0) {
      EXPECT_EQ(value, GL_SPHERE_MAP);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
}

// Model z is up and model -y comes toward the viewer: each triangle lands
// where the camera's view puts its world position; a broken face is skipped.
TEST_F(MeshDrawTest, TrianglesLandWhereTheViewPutsThem) {
  MeshModel m;
  m.SetPosition(100, 10, 0);
  AddTriangle(m, 0, 0, 150, 1, 0, 0);    // world (100, 160, 0)
  AddTriangle(m, -300, -300, 0, 0, 1, 0);  // world (-200, 10, 300)
  m.faces[m.faceCount++].SetVertices(0, 1, kMeshCapacity);  // never drawn
  m.Draw(ViewState(camera), 0, 1);
  struct Spot { float x, y, z; Rgb colour; };
  const Spot spots[] = {{100, 160, 0, {255, 0, 0}}, {-200, 10, 300, {0, 255, 0}},
                        {100, 10, 0, {0, 0, 0}}, {-200, 160, 0, {0, 0, 0}}};
  for (const Spot& s : spots) {
    int px, py;
    Project(s.x, s.y, s.z, px, py);
    EXPECT_EQ(PixelAt(px, py), s.colour) << s.x << ", " << s.y << ", " << s.z;
  }
}

TEST_F(MeshDrawTest, GlowIsAddedToTheColourSentThenCleared) {
  MeshModel m;
  m.SetPosition(0, 10, 0);
  AddTriangle(m, 0, 0, 0, 0.5f, 0.2f, 0.2f);
  for (int i = 0; i < 3; ++i) m.glow[i] = Vertex{0.5f, 0.3f, 0.0f, 0.0f, 0.0f};
  m.Draw(ViewState(camera), 0, 1);
  int px, py;
  Project(0, 10, 0, px, py);
  EXPECT_TRUE(Near(PixelAt(px, py), Rgb{255, 128, 51}, 1)) << PixelAt(px, py);
  EXPECT_EQ(m.glow[0].x, 0.0f);
  m.Draw(ViewState(camera), 0, 1);
  EXPECT_TRUE(Near(PixelAt(px, py), Rgb{128, 51, 51}, 1)) << PixelAt(px, py);
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
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  MeshModel m;
  m.SetPosition(0, 10, 0);
  AddTriangle(m, 0, 0, 0, 1, 1, 1);
  for (int i = 0; i < 6; ++i) m.texVertices[i] = P(i < 3 ? 0.25f : 0.75f, 0.5f, 0);
  m.faces[0].SetTexVertices(3, 4, 5);
  m.Draw(ViewState(camera), texture, 1);
  int px, py;
  Project(0, 10, 0, px, py);
  EXPECT_EQ(PixelAt(px, py), (Rgb{255, 0, 0}));
}
