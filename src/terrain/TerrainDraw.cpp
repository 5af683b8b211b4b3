// TerrainDraw.cpp -- the floor's per-frame life: glow under the ball, the
// one-column scroll, and the lit, height-coloured triangles.
#include <GL/gl.h>

#include <cmath>

#include "terrain/Terrain.h"

namespace {
// Tint by colour index: red, green, blue; any unknown index darkens toward blue.
Vec3 TintFor(int colourIndex) {
  switch (colourIndex) {
    case 0: return Vec3{1.0f, 0.0f, 0.0f};
    case 1: return Vec3{0.0f, 1.0f, 0.0f};
    case 2: return Vec3{0.0f, 0.0f, 1.0f};
    default: return Vec3{-1.0f, -1.0f, 1.0f};
  }
}

// Only the top is held: a dark tint may take red and green below zero.
float Above1Held(float channel) { return channel > 1.0f ? 1.0f : channel; }

void EmitVertex(const Vertex& p, const Vec3& n, const Vertex& glow) {
  float k = (p.y / 50.0f) * 0.5f;
  glColor4f(k + glow.x, (0.5f - k) + glow.y, glow.z, 1.0f);
  glNormal3f(n.x, n.y, n.z);
  glVertex3f(p.x, p.y, p.z);
}
}  // namespace

void Terrain::GlowNear(float pz, float py, float px, int colourIndex) {
  const Vec3 tint = TintFor(colourIndex);
  for (int c = 0; c < kSize; ++c) {
    for (int r = 0; r < kSize; ++r) {
      const Vertex& w = vertices[GridIndex(r, c)];
      // The height is the mirrored vertex's, across the grid's diagonal.
      const float my = vertices[GridIndex(c, r)].y;
      float dx = px - w.x, dy = py - my, dz = pz - w.z;
      float squared = dx * dx + dy * dy + dz * dz;
      Vertex& g = glow[GridIndex(r, c)];
      // From 200 squared on the rounded root is 200 or more: no root needed.
      float d = 200.0f;
      if (squared < 40000.0f) d = static_cast<float>(std::sqrt(static_cast<double>(squared)));
      if (d < 200.0f) {
        float f = 1.0f - d / 200.0f;
        g.x += f * tint.x;
        g.y += f * tint.y;
        g.z += f * tint.z;
      }
      g.x = Above1Held(g.x + glowStep.x);
      g.y = Above1Held(g.y + glowStep.y);
      g.z = Above1Held(g.z + glowStep.z);
    }
  }
}

void Terrain::ClearGlow() {
  for (int v = 0; v < kVertexCount; ++v) glow[v] = Vertex{0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
}

// Heights and normals move one column toward -x; column 0 wraps to 39.
void Terrain::Scroll() {
  float saved[kSize];
  for (int r = 0; r < kSize; ++r) saved[r] = vertices[GridIndex(r, 0)].y;
  for (int r = 0; r < kSize; ++r) {
    for (int c = 1; c < kSize; ++c) {
      vertices[GridIndex(r, c - 1)].y = vertices[GridIndex(r, c)].y;
      normals[GridIndex(r, c - 1)] = normals[GridIndex(r, c)];
    }
  }
  for (int r = 0; r < kSize; ++r) vertices[GridIndex(r, kSize - 1)].y = saved[r];
  RefreshEdgeNormals();
}

void Terrain::Draw(ViewState view) {
  glPushMatrix();
  ApplyView(view);
  // Set after the view, so the light keeps its direction in the world.
  const GLfloat light[] = {2000.0f, 500.0f, 100.0f, 0.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, light);
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_TRIANGLES);
  for (int r = 1; r < kSize - 1; ++r) {
    for (int c = 1; c < kSize - 1; ++c) {
      const int b = GridIndex(r, c);
      const int z = b + kNextRow, x = b + kNextColumn, xz = b + kNextRow + kNextColumn;
      for (int v : {b, z, x, x, z, xz}) {
        EmitVertex(vertices[v], normals[v], glow[v]);
      }
    }
  }
  glEnd();
  glPopMatrix();
  glEnable(GL_TEXTURE_2D);
  Scroll();
  ClearGlow();
}
