// FixedPipeline.h -- the arithmetic of the desktop's fixed-function GL that
// the browser's GL lacks: matrices as glRotatef and gluPerspective build them
// and the stacks that keep them,
// light 0 with colour material, sphere-map coordinates and GLU's mipmaps.
// Plain C++: no GL, so it runs and is checked anywhere.
#pragma once
#include <cstdint>

// Column-major as GL keeps it: row i, column j at 4*j+i.
struct GLMatrix {
  float m[16];
};

GLMatrix IdentityMatrix();
// a * b, in GL's order (b applied first).
GLMatrix Multiply(const GLMatrix& a, const GLMatrix& b);
// The matrices glRotatef, glTranslatef and gluPerspective multiply in.
GLMatrix RotationMatrix(float degrees, float x, float y, float z);
GLMatrix TranslationMatrix(float x, float y, float z);
GLMatrix PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar);
// One of GL's matrix stacks: 32 levels, the identity at the bottom; GL
// ignores a push past the top and a pop at the bottom, and so does this.
constexpr int kMatrixStackDepth = 32;
struct MatrixStack {
  GLMatrix level[kMatrixStackDepth] = {IdentityMatrix()};
  int top = 0;
};
inline GLMatrix& Top(MatrixStack& stack) { return stack.level[stack.top]; }
void PushMatrix(MatrixStack& stack);
void PopMatrix(MatrixStack& stack);
// The top times m, as glRotatef, glTranslatef and gluPerspective change it.
void MultiplyTop(MatrixStack& stack, const GLMatrix& m);

// m * (x, y, z, w).
void Transform(const GLMatrix& m, const float in[4], float out[4]);
// The 3x3 that carries normals to eye space: the inverse transpose of m's
// upper left; the identity when that part cannot be inverted.
void NormalMatrix(const GLMatrix& m, float out[9]);

// Light 0 and the light model as the game's render state leaves them.
struct LightState {
  float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  float direction[3] = {0.0f, 0.0f, 1.0f};  // unit vector toward the light, eye space
  float modelAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
};

// Stores an eye-space light position: a direction for w = 0 (the game's
// only kind), normalized as GL does.
void SetLightDirection(LightState& light, const float eyePosition[4]);
// The colour a lit vertex gets when its colour is the ambient and diffuse
// material: emission and specular are zero, the result clamped to 0..1.
void LitColour(const LightState& light, const float colour[4], const float eyeNormal[3],
               float out[4]);
// Sphere-map s and t for a vertex at eyePosition with eyeNormal (not
// normalized, as GL leaves it without GL_NORMALIZE).
void SphereMapCoords(const float eyePosition[4], const float eyeNormal[3], float out[2]);

// GLU's next mipmap level of a square-or-not RGB image: each 2x2 block
// averaged with rounding; a side of 1 averages pairs. Returns false at 1x1.
bool HalveImage(const std::uint8_t* in, int width, int height, std::uint8_t* out, int& outWidth,
                int& outHeight);
