// GlState.h -- GL state read back in one expression, for the drawing tests.
#pragma once
#include <GL/gl.h>

// One integer of state: GlRead(glGetTexParameteriv, GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER).
template <typename Getter, typename... Args>
GLint GlRead(Getter get, Args... args) {
  GLint value = 0;
  get(args..., &value);
  return value;
}

// True when the matrix (GL_MODELVIEW_MATRIX, ...) is exactly the identity.
inline bool IsIdentity(GLenum matrix) {
  GLfloat m[16];
  glGetFloatv(matrix, m);
  for (int k = 0; k < 16; ++k) {
    if (m[k] != (k % 5 == 0 ? 1.0f : 0.0f)) return false;
  }
  return true;
}
