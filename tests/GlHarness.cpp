// GlHarness.cpp -- fresh context per test so no GL state leaks between tests.
#include "GlHarness.h"

#include <GL/gl.h>

#include <cstdlib>
#include <ostream>

void GlTest::SetUp() {
  context = std::make_unique<HeadlessContext>();
  std::string error;
  ASSERT_TRUE(context->Create(1024, 768, error)) << "headless GL: " << error;
}

void GlTest::TearDown() { context.reset(); }

Rgb GlTest::PixelAt(int x, int y) const {
  unsigned char p[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return Rgb{p[0], p[1], p[2]};
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  for (int i = 0; i < 3; ++i) {
    if (std::abs(a[i] - b[i]) > tolerance) return false;
  }
  return true;
}

::std::ostream& operator<<(::std::ostream& os, const Rgb& c) {
  return os << "(" << c[0] << ", " << c[1] << ", " << c[2] << ")";
}
