// test_fixed_pipeline.cpp -- the browser build's fixed-function arithmetic against Mesa's GL.
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "GlHarness.h"
#include "shell/core/RenderState.h"
#include "web/FixedPipeline.h"

using FixedPipelineTest = GlTest;

// A wrong sign, a misplaced entry, a product in the wrong order or a stack level lost turns,
// squeezes or shifts the whole court; pushes past the top and pops past the bottom do nothing.
TEST_F(FixedPipelineTest, MatrixCallsBuildWhatGLBuilds) {
  MatrixStack ours;
  auto same = [&](const char* what, int step) {
    GLMatrix mesa;
    glGetFloatv(GL_MODELVIEW_MATRIX, mesa.m);
    float scale = 1.0f;  // rounding grows with the largest entry, a sum of such products
    for (float entry : mesa.m) scale = std::max(scale, std::fabs(entry));
    for (int i = 0; i < 16; ++i)
      EXPECT_NEAR(Top(ours).m[i], mesa.m[i], 1e-6f * scale)
          << what << " " << step << " entry " << i;
  };
  const float rotations[][4] = {{30, 1, 0, 0}, {-90, 1, 0, 0}, {361, 0, 1, 0}, {17, 0, -1, 0},
                                {50, 0, 0, 1}, {75, 0, 0, -2}, {40, 1, 2, 3}};
  for (int i = 0; i < 40; ++i) {
    const float* r = rotations[i % 7];
    glPushMatrix(), PushMatrix(ours);
    glRotatef(r[0], r[1], r[2], r[3]), MultiplyTop(ours, RotationMatrix(r[0], r[1], r[2], r[3]));
    glTranslatef(i, -2.0f * i, 0.5f), MultiplyTop(ours, TranslationMatrix(i, -2.0f * i, 0.5f));
    same("pushed, turned and moved", i);
  }
  for (int i = 0; i < 40; ++i) glPopMatrix(), PopMatrix(ours), same("popped", i);
  glMatrixMode(GL_PROJECTION);
  gluPerspective(60.0, 1024.0 / 768.0, 1.0, 12000.0);
  GLMatrix mesa, perspective = PerspectiveMatrix(60.0, 1024.0 / 768.0, 1.0, 12000.0);
  glGetFloatv(GL_PROJECTION_MATRIX, mesa.m);
  for (int i = 0; i < 16; ++i)
    EXPECT_NEAR(perspective.m[i], mesa.m[i], 1e-5) << "perspective " << i;
}

// The page on a portrait screen keeps the 4:3 width in view, the court as large as at 4:3; a wide
// page and the desktop keep the 60-degree height (the desktop's portrait loses the sides).
TEST_F(FixedPipelineTest, NarrowPageKeepsTheCourtsWidth) {
  const float x43 = 1.29903805f, y60 = 1.73205078f;  // the scales at 4:3
  const struct {
    int width, height;
    NarrowView narrow;
    float xScale, yScale;
  } cases[] = {{390, 844, NarrowView::kWholeWidth, x43, x43 * 390 / 844},
               {1280, 720, NarrowView::kWholeWidth, y60 * 720 / 1280, y60},
               {390, 844, NarrowView::kCropSides, y60 * 844 / 390, y60}};
  for (const auto& c : cases) {
    ResizeViewport(c.width, c.height, c.narrow);
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_NEAR(m[0], c.xScale, 1e-5) << c.width << "x" << c.height;
    EXPECT_NEAR(m[5], c.yScale, 1e-5) << c.width << "x" << c.height;
  }
}

// GL's feedback mode hands back a vertex's lit colour and sphere-map coordinates.
TEST_F(FixedPipelineTest, LitSphereMappedVertexIsWhatGLComputes) {
  const struct {
    float turn, colour[4], normal[3], vertex[3];
  } cases[] = {
      {0, {0.5f, 0.25f, 1.0f, 0.6f}, {0, 1, 0}, {0.5f, 0, -5}},     // facing the light
      {0, {1.5f, 1.2f, -0.5f, 1.1f}, {0, 1, 0}, {1, 1, -4}},        // glow past 1, below 0
      {0, {0.8f, 0.8f, 0.8f, 1.0f}, {0, -1, 0}, {-2, 0.5f, -6}},    // facing away: ambient
      {0, {0.3f, 0.3f, 0.3f, 1.0f}, {0, 2, 0.5f}, {0.5f, -1, -3}},  // not unit: not normalized
      {35, {0.7f, 0.2f, 0.4f, 0.5f}, {0.6f, 0.8f, 0}, {2, 1, -8}},  // turned model view
      {-20, {0.9f, 0.9f, 0.1f, 1.0f}, {0.3f, -0.4f, 0.866f}, {-1, -2, -7}},
  };
  InitRenderState();
  ResizeViewport(1024, 768);
  // GL generates coordinates only for a texture it can sample.
  const unsigned char texel[4] = {255, 255, 255, 255};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  const GLfloat light[] = {2000.0f, 500.0f, 100.0f, 0.0f};
  for (const auto& c : cases) {
    glLoadIdentity();
    glRotatef(c.turn, 0.2f, 1.0f, 0.1f);
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    GLfloat feedback[16] = {};
    glFeedbackBuffer(16, GL_3D_COLOR_TEXTURE, feedback);
    glRenderMode(GL_FEEDBACK);
    glBegin(GL_POINTS);
    glColor4fv(c.colour);
    glNormal3fv(c.normal);
    glVertex3fv(c.vertex);
    glEnd();
    ASSERT_EQ(glRenderMode(GL_RENDER), 12) << "one point: token, x y z, r g b a, s t r q";

    GLMatrix modelView;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.m);
    LightState state;
    state.ambient[0] = state.ambient[1] = state.ambient[2] = 0.2f;
    float eyeLight[4], eye[4], normal[3], matrix[9], lit[4], st[2];
    Transform(modelView, light, eyeLight);
    SetLightDirection(state, eyeLight);
    const float vertex[4] = {c.vertex[0], c.vertex[1], c.vertex[2], 1.0f};
    Transform(modelView, vertex, eye);
    NormalMatrix(modelView, matrix);
    for (int i = 0; i < 3; ++i) {
      normal[i] = matrix[3 * i] * c.normal[0] + matrix[3 * i + 1] * c.normal[1] +
                  matrix[3 * i + 2] * c.normal[2];
    }
    LitColour(state, c.colour, normal, lit);
    SphereMapCoords(eye, normal, st);
    for (int i = 0; i < 4; ++i)
      EXPECT_NEAR(lit[i], feedback[4 + i], 1e-5) << c.turn << " colour " << i;
    EXPECT_NEAR(st[0], feedback[8], 1e-5) << c.turn << " s";
    EXPECT_NEAR(st[1], feedback[9], 1e-5) << c.turn << " t";
  }
}

// Each smaller level byte for byte as GLU makes it, a one-row image included.
TEST_F(FixedPipelineTest, MipmapLevelsAreGLUs) {
  for (const int height : {4, 1}) {
    const int width = 4;
    std::vector<unsigned char> level(width * height * 3);
    for (size_t i = 0; i < level.size(); ++i) level[i] = static_cast<unsigned char>(i * 37 + 11);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, level.data());
    int w = width, h = height;
    std::vector<unsigned char> next(level.size());
    for (int i = 1; HalveImage(level.data(), w, h, next.data(), w, h); ++i) {
      std::vector<unsigned char> mesa(w * h * 3);
      glGetTexImage(GL_TEXTURE_2D, i, GL_RGB, GL_UNSIGNED_BYTE, mesa.data());
      next.resize(mesa.size());
      EXPECT_EQ(next, mesa) << width << "x" << height << " level " << i;
      level = next;
    }
  }
}
