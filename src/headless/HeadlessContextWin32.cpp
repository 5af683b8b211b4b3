// HeadlessContextWin32.cpp -- the headless context on Windows: WGL on a window
// never shown, drawing into a framebuffer object of the asked size (RGB 8-8-8,
// depth 16), so that no pixel depends on the screen or on the window's share
// of it. display, surface and context hold the window, its DC and the WGL context.
#include <windows.h>
// windows.h first: GL/gl.h needs its calling conventions.
#include <GL/gl.h>

#include "headless/HeadlessContext.h"

namespace {
// GL_EXT_framebuffer_object: opengl32's headers stop at GL 1.1.
constexpr GLenum kFramebuffer = 0x8D40, kRenderbuffer = 0x8D41, kColour0 = 0x8CE0,
                 kDepthAttachment = 0x8D00, kComplete = 0x8CD5, kRgb8 = 0x8051, kDepth16 = 0x81A5;
using GenFn = void(APIENTRY*)(GLsizei, GLuint*);
using BindFn = void(APIENTRY*)(GLenum, GLuint);
using StorageFn = void(APIENTRY*)(GLenum, GLenum, GLsizei, GLsizei);
using AttachFn = void(APIENTRY*)(GLenum, GLenum, GLenum, GLuint);
using StatusFn = GLenum(APIENTRY*)(GLenum);

template <typename Fn>
Fn Entry(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

HWND MakeHiddenWindow() {
  WNDCLASSW windowClass{};
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"courtball-headless";
  RegisterClassW(&windowClass);  // fails harmlessly when already registered
  return CreateWindowW(L"courtball-headless", L"courtball-headless", WS_POPUP, 0, 0, 16, 16,
                       nullptr, nullptr, windowClass.hInstance, nullptr);
}

bool SetFormat(HDC dc) {
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 24;
  format.cDepthBits = 16;
  const int chosen = ChoosePixelFormat(dc, &format);
  return chosen != 0 && SetPixelFormat(dc, chosen, &format);
}

// The framebuffer the game draws into and glReadPixels reads from.
bool MakeFramebuffer(int width, int height) {
  const auto gen = Entry<GenFn>("glGenFramebuffersEXT");
  const auto genBuffers = Entry<GenFn>("glGenRenderbuffersEXT");
  const auto bind = Entry<BindFn>("glBindFramebufferEXT");
  const auto bindBuffer = Entry<BindFn>("glBindRenderbufferEXT");
  const auto storage = Entry<StorageFn>("glRenderbufferStorageEXT");
  const auto attach = Entry<AttachFn>("glFramebufferRenderbufferEXT");
  const auto status = Entry<StatusFn>("glCheckFramebufferStatusEXT");
  if (!gen || !genBuffers || !bind || !bindBuffer || !storage || !attach || !status) return false;
  GLuint framebuffer = 0, buffers[2] = {0, 0};
  gen(1, &framebuffer);
  bind(kFramebuffer, framebuffer);
  genBuffers(2, buffers);
  const GLenum formats[2] = {kRgb8, kDepth16}, attachments[2] = {kColour0, kDepthAttachment};
  for (int i = 0; i < 2; ++i) {
    bindBuffer(kRenderbuffer, buffers[i]);
    storage(kRenderbuffer, formats[i], width, height);
    attach(kFramebuffer, attachments[i], kRenderbuffer, buffers[i]);
  }
  glViewport(0, 0, width, height);
  return status(kFramebuffer) == kComplete;
}
}  // namespace

bool HeadlessContext::Create(int w, int h, std::string& error) {
  width = w;
  height = h;
  HWND window = MakeHiddenWindow();
  HDC dc = window != nullptr ? GetDC(window) : nullptr;
  display = window;
  surface = dc;
  if (dc == nullptr || !SetFormat(dc)) {
    error = "no window with a GL pixel format";
    return false;
  }
  HGLRC glContext = wglCreateContext(dc);
  context = glContext;
  if (glContext == nullptr || !wglMakeCurrent(dc, glContext)) {
    error = "no WGL context";
    return false;
  }
  if (!MakeFramebuffer(w, h)) {
    error = "no framebuffer object (GL_EXT_framebuffer_object)";
    return false;
  }
  return true;
}

void HeadlessContext::Destroy() {
  if (context != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(static_cast<HGLRC>(context));
  }
  if (surface != nullptr) ReleaseDC(static_cast<HWND>(display), static_cast<HDC>(surface));
  if (display != nullptr) DestroyWindow(static_cast<HWND>(display));
  display = surface = context = nullptr;
}
