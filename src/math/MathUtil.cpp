// MathUtil.cpp -- vector and matrix helpers. Roots and trig are taken in double
// precision and rounded back to float, as everywhere in the game.
#include "math/MathUtil.h"

#include <cmath>

void Normalize(Vec3& v) {
  float len = static_cast<float>(std::sqrt(static_cast<double>(v.x * v.x + v.y * v.y + v.z * v.z)));
  if (len == 0.0f) len = 1.0f;
  v.x /= len;
  v.y /= len;
  v.z /= len;
}

void TriangleNormal(Vertex p1, Vertex p2, Vertex p3, Vec3& out) {
  Vec3 u{p1.x - p2.x, p1.y - p2.y, p1.z - p2.z};
  Vec3 w{p2.x - p3.x, p2.y - p3.y, p2.z - p3.z};
  Vec3 n{u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
  Normalize(n);
  out = n;
}

float DotProduct(Vertex a, Vertex b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

float DistanceBetween(Vertex a, Vertex b) {
  float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  float d = static_cast<float>(std::sqrt(static_cast<double>(dx * dx + dy * dy + dz * dz)));
  if (static_cast<double>(d) < 0.1) d = 0.1f;
  return d;
}

int AngleBetweenPoints(float x1, float y1, float x2, float y2) {
  float angle = 3.0f;
  if (x1 - x2 != 0.0f) {
    angle = static_cast<float>(std::atan(static_cast<double>((y1 - y2) / (x1 - x2))));
    if (x1 > x2) angle += 3.1419f;
  }
  return static_cast<int>(angle * 180.0f / 3.14f + 360.0f);
}

void IdentityMatrix(Matrix4 m) {
  for (int k = 0; k < 16; ++k) m[k] = 0.0f;
  m[0] = m[5] = m[10] = m[15] = 1.0f;
}

void CopyMatrix(const Matrix4 source, Matrix4 destination) {
  for (int k = 0; k < 16; ++k) destination[k] = source[k];
}

void MultiplyMatrix(const Matrix4 a, const Matrix4 b, Matrix4 out) {
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a[4 * i + k] * b[4 * k + j];
      out[4 * i + j] = sum;
    }
  }
}

namespace {
// Fills m with the identity and returns cos and sin of angle, each as float.
void StartRotation(Matrix4 m, float angle, float& c, float& s) {
  IdentityMatrix(m);
  c = static_cast<float>(std::cos(static_cast<double>(angle)));
  s = static_cast<float>(std::sin(static_cast<double>(angle)));
}
}  // namespace

void RotationMatrixX(Matrix4 m, float angle) {
  float c, s;
  StartRotation(m, angle, c, s);
  m[5] = c;
  m[6] = s;
  m[9] = -s;
  m[10] = c;
}

void RotationMatrixY(Matrix4 m, float angle) {
  float c, s;
  StartRotation(m, angle, c, s);
  m[0] = c;
  m[2] = -s;
  m[8] = s;
  m[10] = c;
}

void RotationMatrixZ(Matrix4 m, float angle) {
  float c, s;
  StartRotation(m, angle, c, s);
  m[0] = c;
  m[1] = s;
  m[4] = -s;
  m[5] = c;
}

void TransformPoint(Vertex& out, Vertex p, const Matrix4 m) {
  Vertex r = p;
  r.x = p.x * m[0] + p.y * m[4] + p.z * m[8] + m[12];
  r.y = p.x * m[1] + p.y * m[5] + p.z * m[9] + m[13];
  r.z = p.x * m[2] + p.y * m[6] + p.z * m[10] + m[14];
  float w = p.x * m[3] + p.y * m[7] + p.z * m[11] + m[15];
  if (w != 0.0f) {
    r.x /= w;
    r.y /= w;
    r.z /= w;
  }
  out = r;
}

void PrintMatrix(const Matrix4 m, std::ostream& stream) {
  stream << "========BEGIN MATRIX=================" << std::endl;
  for (int i = 0; i < 4; ++i) {
    stream << m[i] << ' ' << m[4 + i] << ' ' << m[8 + i] << ' ' << m[12 + i] << std::endl;
  }
  stream << "========END MATRIX===================" << std::endl;
}
