// HeadlessContext.h -- a real software GL context with no display: EGL on
// Mesa's surfaceless platform, a 1024x768 pbuffer (RGB 8-8-8, depth 16),
// compatibility profile. Used by the tests and by courtball-capture.
#pragma once
#include <string>
#include <vector>

class HeadlessContext {
 public:
  int width = 1024;
  int height = 768;

  HeadlessContext() = default;
  // It owns EGL handles: a copy would release them twice.
  HeadlessContext(const HeadlessContext&) = delete;
  HeadlessContext& operator=(const HeadlessContext&) = delete;

  // Creates the context and makes it current; false (with why) on failure.
  bool Create(int width, int height, std::string& error);
  void Destroy();
  ~HeadlessContext();

  // The colour buffer as RGB bytes, rows bottom first (glReadPixels order).
  std::vector<unsigned char> ReadPixels() const;

  void* display = nullptr;
  void* surface = nullptr;
  void* context = nullptr;
};
