// HeadlessReadback.cpp -- what the headless context does the same on every
// platform: its end and the read-back of its pixels, once the platform's
// HeadlessContext*.cpp has made it current.
#ifdef _WIN32
#include <windows.h>
// windows.h first: GL/gl.h needs its calling conventions.
#endif
#include <GL/gl.h>

#include "headless/HeadlessContext.h"

HeadlessContext::~HeadlessContext() { Destroy(); }

std::vector<unsigned char> HeadlessContext::ReadPixels() const {
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
