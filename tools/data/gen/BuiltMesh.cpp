// BuiltMesh.cpp -- vertex, triangle and flat-patch building for the generator.
#include "data/gen/BuiltMesh.h"

#include <cmath>

D3 Unit(D3 a) {
  double length = std::sqrt(Dot(a, a));
  return length > 0.0 ? a * (1.0 / length) : a;
}

int BuiltMesh::AddVertex(D3 position, D3 normal, double s, double t) {
  vertices.push_back(BuiltVertex{position, normal, s, t});
  return static_cast<int>(vertices.size()) - 1;
}

void BuiltMesh::AddTriangleFacing(int a, int b, int c) {
  const BuiltVertex& va = vertices[a];
  const BuiltVertex& vb = vertices[b];
  const BuiltVertex& vc = vertices[c];
  D3 facing = va.normal + vb.normal + vc.normal;
  D3 front = Cross(vb.position - va.position, vc.position - va.position);
  if (Dot(front, facing) < 0.0) {
    AddTriangle(a, c, b);
  } else {
    AddTriangle(a, b, c);
  }
}

void BuiltMesh::AddPatch(D3 origin, D3 u, D3 v, int nu, int nv) {
  D3 normal = Unit(Cross(u, v));
  int first = static_cast<int>(vertices.size());
  for (int j = 0; j <= nv; ++j) {
    for (int i = 0; i <= nu; ++i) {
      AddVertex(origin + u * (static_cast<double>(i) / nu) + v * (static_cast<double>(j) / nv),
                normal);
    }
  }
  for (int j = 0; j < nv; ++j) {
    for (int i = 0; i < nu; ++i) {
      int a = first + j * (nu + 1) + i;
      int c = a + nu + 2;
      AddTriangle(a, a + 1, c);
      AddTriangle(a, c, c - 1);
    }
  }
}
