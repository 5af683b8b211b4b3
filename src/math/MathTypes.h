// MathTypes.h -- the shared records: Vec3, Vertex and the column-major Matrix4.
#pragma once

// Three floats: normals and directions.
struct Vec3 {
  float x, y, z;
};

// Five floats: positions with texture coordinates. Positions, velocities and
// camera records use x, y, z only; colour records use the same shape.
struct Vertex {
  float x, y, z, s, t;
};

// 4x4 matrix stored column by column as OpenGL does: row i, column j at 4*j+i.
typedef float Matrix4[16];
