// HeadlessContext.cpp -- EGL set-up on the surfaceless Mesa platform.
#include "headless/HeadlessContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace {
const char* EglErrorName(EGLint code) {
  switch (code) {
    case EGL_NOT_INITIALIZED: return "EGL_NOT_INITIALIZED";
    case EGL_BAD_ALLOC: return "EGL_BAD_ALLOC";
    case EGL_BAD_CONFIG: return "EGL_BAD_CONFIG";
    case EGL_BAD_DISPLAY: return "EGL_BAD_DISPLAY";
    case EGL_BAD_MATCH: return "EGL_BAD_MATCH";
    case EGL_BAD_ATTRIBUTE: return "EGL_BAD_ATTRIBUTE";
    default: return "EGL error";
  }
}

EGLDisplay OpenSurfacelessDisplay() {
  auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay) return EGL_NO_DISPLAY;
  return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}
}  // namespace

bool HeadlessContext::Create(int w, int h, std::string& error) {
  width = w;
  height = h;
  EGLDisplay dpy = OpenSurfacelessDisplay();
  if (dpy == EGL_NO_DISPLAY || !eglInitialize(dpy, nullptr, nullptr)) {
    error = "no surfaceless EGL display (Mesa's EGL missing?)";
    return false;
  }
  display = dpy;
  // Attribute and value in pairs.
  // clang-format off
  const EGLint configAttribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                                  EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                                  EGL_DEPTH_SIZE, 16, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                  EGL_NONE};
  // clang-format on
  EGLConfig config;
  EGLint count = 0;
  if (!eglChooseConfig(dpy, configAttribs, &config, 1, &count) || count == 0) {
    error = std::string("no EGL config: ") + EglErrorName(eglGetError());
    return false;
  }
  const EGLint surfaceAttribs[] = {EGL_WIDTH, w, EGL_HEIGHT, h, EGL_NONE};
  surface = eglCreatePbufferSurface(dpy, config, surfaceAttribs);
  if (surface == EGL_NO_SURFACE) {
    error = std::string("no pbuffer: ") + EglErrorName(eglGetError());
    return false;
  }
  eglBindAPI(EGL_OPENGL_API);
  context = eglCreateContext(dpy, config, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) {
    error = std::string("no GL context: ") + EglErrorName(eglGetError());
    return false;
  }
  if (!eglMakeCurrent(dpy, surface, surface, context)) {
    error = std::string("cannot make the context current: ") + EglErrorName(eglGetError());
    return false;
  }
  return true;
}

void HeadlessContext::Destroy() {
  if (!display) return;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context) eglDestroyContext(display, context);
  if (surface) eglDestroySurface(display, surface);
  eglTerminate(display);
  display = surface = context = nullptr;
}
