// BuiltMesh.h -- a triangle mesh as the generator builds it: positions are
// world offsets from the model's placement, normals are world directions.
#pragma once
#include <array>
#include <string>
#include <vector>

struct D3 {
  double x, y, z;
};

inline D3 operator+(D3 a, D3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline D3 operator-(D3 a, D3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline D3 operator*(D3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double Dot(D3 a, D3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline D3 Cross(D3 a, D3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
D3 Unit(D3 a);

struct BuiltVertex {
  D3 position;
  D3 normal;
  double s = 0.0, t = 0.0;  // used only by textured meshes
};

class BuiltMesh {
 public:
  std::string name;
  bool textured = false;  // writes texture lists (and so loses the normals)
  std::vector<BuiltVertex> vertices;
  std::vector<std::array<int, 3>> faces;  // counter-clockwise seen from the front

  int AddVertex(D3 position, D3 normal, double s = 0.0, double t = 0.0);
  void AddTriangle(int a, int b, int c) { faces.push_back({a, b, c}); }
  // Adds a, b, c wound counter-clockwise seen from the side its corners'
  // normals point to.
  void AddTriangleFacing(int a, int b, int c);
  // A flat grid of nu by nv cells from origin along u and v; its front is u x v.
  void AddPatch(D3 origin, D3 u, D3 v, int nu, int nv);
};
