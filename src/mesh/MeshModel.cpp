// MeshModel.cpp -- a mesh's storage, placement, face colours and its
// immediate-mode drawing; the glow is faded or cleared at the end of each draw.
#include "mesh/MeshModel.h"

#include <GL/gl.h>

#include <ostream>

#include "math/GameRandom.h"

namespace {
// 1 - k/255 as a float: the grey of a random draw k.
float GreyOf(int k) { return 1.0f - static_cast<float>(k) / 255.0f; }
}  // namespace

void MeshFace::SetVertices(int a, int b, int c) {
  const float grey = GreyOf(GameRandom() % 56);
  red = grey;
  green = grey;
  blue = grey;
  vertexA = a;
  vertexB = b;
  vertexC = c;
  alpha = 1.0f;
}

void MeshFace::SetTexVertices(int a, int b, int c) {
  texA = a;
  texB = b;
  texC = c;
}

void MeshFace::PrintVertexNumbers(std::ostream& stream) const {
  stream << "Vertex Number One  : " << vertexA << std::endl;
  stream << "Vertex Number Two  : " << vertexB << std::endl;
  stream << "Vertex Number Three: " << vertexC << std::endl;
}

// Every array gets its full room now and never grows; normals and glow start
// at zero, which gives unlit faces no light and adds nothing to a colour.
MeshModel::MeshModel()
    : texVertices(new Vertex[kMeshCapacity]()),
      glow(new Vertex[kMeshCapacity]()),
      vertices(new Vertex[kMeshCapacity]()),
      normals(new Vec3[kMeshCapacity]()),
      faces(new MeshFace[kMeshCapacity]()) {}

void MeshModel::SetPosition(float x, float y, float z) {
  position.x = x;
  position.y = y;
  position.z = z;
}

void MeshModel::SetColour(float r, float g, float b, int tint) {
  // Drawn first and on every call, so the random sequence never depends on
  // the tint or on how many faces the model has.
  const float grey = GreyOf(GameRandom() % 26);
  const int count = CappedCount(faceCount);
  for (int i = 0; i < count; ++i) {
    MeshFace& face = faces[i];
    if (tint == 0) {
      face.red = r;
      face.green = g;
      face.blue = b;
      continue;
    }
    if (r != 0.0f) face.red = grey;
    if (g != 0.0f) face.green = grey;
    if (b != 0.0f) face.blue = grey;
  }
}

void MeshModel::SetAlpha(float a) {
  const int count = CappedCount(faceCount);
  for (int i = 0; i < count; ++i) faces[i].alpha = a;
}

void MeshModel::EnableGlowDecay() { glowDecay = 1; }

void MeshModel::Scale(float factor) {
  const int count = CappedCount(vertexCount);
  for (int i = 0; i < count; ++i) {
    vertices[i].x *= factor;
    vertices[i].y *= factor;
    vertices[i].z *= factor;
  }
}

namespace {
void SetTextureSource(int textured) {
  if (textured == 0) {
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glTexGenf(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGenf(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  } else {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
  }
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
}
}  // namespace

bool MeshModel::FaceDrawable(const MeshFace& face) {
  return IsMeshSlot(face.vertexA) && IsMeshSlot(face.vertexB) && IsMeshSlot(face.vertexC);
}

void MeshModel::DrawCorner(const MeshFace& face, int v, int textured) const {
  const Vertex& g = glow[v];
  glNormal3fv(&normals[v].x);
  // Glow goes on top of the face colour unclamped: a flash may exceed 1.
  glColor4f(face.red + g.x, face.green + g.y, face.blue + g.z, face.alpha + g.s);
  if (textured != 0) glTexCoord2f(texVertices[v].x, texVertices[v].y);
  glVertex3f(vertices[v].x, vertices[v].y, vertices[v].z);
}

void MeshModel::Draw(ViewState view, unsigned int texture, int textured) {
  glPushMatrix();
  ApplyView(view);
  glTranslatef(position.x, position.y, position.z);
  glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);  // model z becomes world up
  SetTextureSource(textured);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);

  glBegin(GL_TRIANGLES);
  const int count = CappedCount(faceCount);
  for (int i = 0; i < count; ++i) {
    const MeshFace& face = faces[i];
    if (!FaceDrawable(face)) continue;  // a corner naming no slot is skipped
    DrawCorner(face, face.vertexA, textured);
    DrawCorner(face, face.vertexB, textured);
    DrawCorner(face, face.vertexC, textured);
  }
  glEnd();
  glPopMatrix();

  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  DecayGlow();
}

namespace {
// One glow component under decay: fade what is lit, then drop what is faint
// (negative glow included) to zero.
float Faded(float value) {
  if (value > 0.0f) value = static_cast<float>(value * 0.98);
  if (value < 0.001) value = 0.0f;
  return value;
}
}  // namespace

void MeshModel::DecayGlow() {
  const int count = CappedCount(vertexCount);
  for (int i = 0; i < count; ++i) {
    Vertex& g = glow[i];
    if (glowDecay == 0) {
      g.x = 0.0f;
      g.y = 0.0f;
      g.z = 0.0f;
      g.s = 0.0f;
    } else {
      g.x = Faded(g.x);
      g.y = Faded(g.y);
      g.z = Faded(g.z);
      g.s = Faded(g.s);
    }
  }
}
