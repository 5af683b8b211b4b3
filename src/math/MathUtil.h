// MathUtil.h -- vector normalisation, triangle normals, distances and the
// small set of 4x4 matrix helpers. Floats throughout; roots and trig in double.
#pragma once
#include <ostream>

#include "math/MathTypes.h"

// Scales v to unit length in place; a zero vector stays zero.
void Normalize(Vec3& v);
// Unit normal of the side from which p1, p2, p3 appear counter-clockwise.
void TriangleNormal(Vertex p1, Vertex p2, Vertex p3, Vec3& out);
float DotProduct(Vertex a, Vertex b);
// Distance between two points, never below 0.1 so it can serve as a divisor.
float DistanceBetween(Vertex a, Vertex b);
// Heading of (x2, y2) seen from (x1, y1) in whole degrees, unwrapped (269..630).
int AngleBetweenPoints(float x1, float y1, float x2, float y2);

void IdentityMatrix(Matrix4 m);
void CopyMatrix(const Matrix4 source, Matrix4 destination);
// out applies a first and b second; out must be neither a nor b.
void MultiplyMatrix(const Matrix4 a, const Matrix4 b, Matrix4 out);
// Rotations by an angle in radians, counter-clockwise seen from the axis's +end.
void RotationMatrixX(Matrix4 m, float angle);
void RotationMatrixY(Matrix4 m, float angle);
void RotationMatrixZ(Matrix4 m, float angle);
// out = m applied to p with the perspective divide when w is not zero; s, t kept.
void TransformPoint(Vertex& out, Vertex p, const Matrix4 m);
// Writes the matrix as it reads in rows, between BEGIN/END banner lines.
void PrintMatrix(const Matrix4 m, std::ostream& stream);
