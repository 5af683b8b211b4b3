// FixedPipeline.cpp -- the fixed-function arithmetic in the order and
// precision the desktop's GL and GLU use: floats, with angles and the
// perspective taken in double as they are there.
#include "web/FixedPipeline.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;

float& At(GLMatrix& m, int row, int column) { return m.m[4 * column + row]; }

float Dot3(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

float Clamped(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }

// A rotation about one axis fills only its own four entries; the sign of the
// axis picks the direction.
bool AxisRotation(GLMatrix& r, float s, float c, float x, float y, float z) {
  int a = 0, b = 0;
  float sign = 1.0f;
  if (x == 0.0f && y == 0.0f && z != 0.0f) {
    a = 0, b = 1, sign = z < 0.0f ? -1.0f : 1.0f;
  } else if (x == 0.0f && z == 0.0f && y != 0.0f) {
    a = 2, b = 0, sign = y < 0.0f ? -1.0f : 1.0f;
  } else if (y == 0.0f && z == 0.0f && x != 0.0f) {
    a = 1, b = 2, sign = x < 0.0f ? -1.0f : 1.0f;
  } else {
    return false;
  }
  At(r, a, a) = c;
  At(r, b, b) = c;
  At(r, a, b) = sign < 0.0f ? s : -s;
  At(r, b, a) = sign < 0.0f ? -s : s;
  return true;
}
}  // namespace

GLMatrix IdentityMatrix() {
  GLMatrix m{};
  m.m[0] = m.m[5] = m.m[10] = m.m[15] = 1.0f;
  return m;
}

GLMatrix Multiply(const GLMatrix& a, const GLMatrix& b) {
  GLMatrix p{};
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      p.m[4 * j + i] = a.m[i] * b.m[4 * j] + a.m[4 + i] * b.m[4 * j + 1] +
                       a.m[8 + i] * b.m[4 * j + 2] + a.m[12 + i] * b.m[4 * j + 3];
    }
  }
  return p;
}

GLMatrix RotationMatrix(float degrees, float x, float y, float z) {
  const float s = static_cast<float>(std::sin(degrees * kPi / 180.0));
  const float c = static_cast<float>(std::cos(degrees * kPi / 180.0));
  GLMatrix r = IdentityMatrix();
  if (AxisRotation(r, s, c, x, y, z)) return r;
  const float length = std::sqrt(x * x + y * y + z * z);
  if (length <= 1.0e-4f) return r;  // no axis: GL leaves the matrix alone
  x /= length, y /= length, z /= length;
  const float one = 1.0f - c;
  At(r, 0, 0) = one * x * x + c;
  At(r, 0, 1) = one * x * y - z * s;
  At(r, 0, 2) = one * z * x + y * s;
  At(r, 1, 0) = one * x * y + z * s;
  At(r, 1, 1) = one * y * y + c;
  At(r, 1, 2) = one * y * z - x * s;
  At(r, 2, 0) = one * z * x - y * s;
  At(r, 2, 1) = one * y * z + x * s;
  At(r, 2, 2) = one * z * z + c;
  return r;
}

GLMatrix TranslationMatrix(float x, float y, float z) {
  GLMatrix t = IdentityMatrix();
  t.m[12] = x, t.m[13] = y, t.m[14] = z;
  return t;
}

GLMatrix PerspectiveMatrix(double fovy, double aspect, double zNear, double zFar) {
  const double radians = fovy / 2 * kPi / 180;
  const double deltaZ = zFar - zNear;
  const double sine = std::sin(radians);
  GLMatrix p = IdentityMatrix();
  if (deltaZ == 0 || sine == 0 || aspect == 0) return p;  // GLU refuses these
  const double cotangent = std::cos(radians) / sine;
  At(p, 0, 0) = static_cast<float>(cotangent / aspect);
  At(p, 1, 1) = static_cast<float>(cotangent);
  At(p, 2, 2) = static_cast<float>(-(zFar + zNear) / deltaZ);
  At(p, 3, 2) = -1.0f;
  At(p, 2, 3) = static_cast<float>(-2 * zNear * zFar / deltaZ);
  At(p, 3, 3) = 0.0f;
  return p;
}

void PushMatrix(MatrixStack& stack) {
  if (stack.top + 1 >= kMatrixStackDepth) return;
  stack.level[stack.top + 1] = stack.level[stack.top];
  ++stack.top;
}

void PopMatrix(MatrixStack& stack) {
  if (stack.top > 0) --stack.top;
}

void MultiplyTop(MatrixStack& stack, const GLMatrix& m) { Top(stack) = Multiply(Top(stack), m); }

void Transform(const GLMatrix& m, const float in[4], float out[4]) {
  for (int i = 0; i < 4; ++i) {
    out[i] = m.m[i] * in[0] + m.m[4 + i] * in[1] + m.m[8 + i] * in[2] + m.m[12 + i] * in[3];
  }
}

void NormalMatrix(const GLMatrix& m, float out[9]) {
  // a[r][c] of the upper left 3x3; the inverse transpose is the cofactor
  // matrix over the determinant.
  float a[3][3];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) a[r][c] = m.m[4 * c + r];
  float cof[3][3];
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
      cof[r][c] = a[r1][c1] * a[r2][c2] - a[r1][c2] * a[r2][c1];
    }
  }
  const float det = a[0][0] * cof[0][0] + a[0][1] * cof[0][1] + a[0][2] * cof[0][2];
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      // Row-major out: eye normal component r = sum over c of out[3r+c] * n[c].
      out[3 * r + c] = det == 0.0f ? (r == c ? 1.0f : 0.0f) : cof[r][c] / det;
    }
  }
}

void SetLightDirection(LightState& light, const float eyePosition[4]) {
  const float length = std::sqrt(Dot3(eyePosition, eyePosition));
  for (int i = 0; i < 3; ++i) light.direction[i] = length > 0.0f ? eyePosition[i] / length : 0.0f;
}

void LitColour(const LightState& light, const float colour[4], const float eyeNormal[3],
               float out[4]) {
  float diffuse = Dot3(eyeNormal, light.direction);
  if (diffuse < 0.0f) diffuse = 0.0f;
  for (int i = 0; i < 3; ++i) {
    const float ambient = colour[i] * light.modelAmbient[i] + colour[i] * light.ambient[i];
    out[i] = Clamped(ambient + diffuse * colour[i] * light.diffuse[i]);
  }
  out[3] = Clamped(colour[3]);  // lit alpha is the diffuse material's
}

void SphereMapCoords(const float eyePosition[4], const float eyeNormal[3], float out[2]) {
  const float length = std::sqrt(Dot3(eyePosition, eyePosition));
  float u[3] = {0.0f, 0.0f, 0.0f};
  if (length > 0.0f) {
    for (int i = 0; i < 3; ++i) u[i] = eyePosition[i] / length;
  }
  const float twice = 2.0f * Dot3(eyeNormal, u);
  const float r[3] = {u[0] - twice * eyeNormal[0], u[1] - twice * eyeNormal[1],
                      u[2] - twice * eyeNormal[2]};
  const float lifted[3] = {r[0], r[1], r[2] + 1.0f};
  const float inverseM = 0.5f / std::sqrt(Dot3(lifted, lifted));
  out[0] = r[0] * inverseM + 0.5f;
  out[1] = r[1] * inverseM + 0.5f;
}

bool HalveImage(const std::uint8_t* in, int width, int height, std::uint8_t* out, int& outWidth,
                int& outHeight) {
  if (width <= 1 && height <= 1) return false;
  outWidth = width > 1 ? width / 2 : 1;
  outHeight = height > 1 ? height / 2 : 1;
  const int dx = width > 1 ? 3 : 0, dy = height > 1 ? 3 * width : 0;
  for (int y = 0; y < outHeight; ++y) {
    for (int x = 0; x < outWidth; ++x) {
      const std::uint8_t* p = in + 3 * ((height > 1 ? 2 * y : y) * width + (width > 1 ? 2 * x : x));
      for (int k = 0; k < 3; ++k) {
        int value;
        if (dx != 0 && dy != 0) {
          value = (p[k] + p[k + dx] + p[k + dy] + p[k + dx + dy] + 2) / 4;
        } else {
          value = (p[k] + p[k + dx + dy]) / 2;  // one side of 1: pairs
        }
        out[3 * (y * outWidth + x) + k] = static_cast<std::uint8_t>(value);
      }
    }
  }
  return true;
}
