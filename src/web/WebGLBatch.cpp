// WebGLBatch.cpp -- the one WebGL program the court is drawn with, its vertex
// buffer, and WebGL's own state passed straight on.
#include "web/WebGLBatch.h"

#include <webgl/webgl1.h>

#include <cstddef>
#include <cstdio>

namespace {
const char* const kVertexShader = R"(
attribute vec4 clip;
attribute vec4 colour;
attribute vec2 tex;
varying vec4 vColour;
varying vec2 vTex;
void main() {
  vColour = colour;
  vTex = tex;
  gl_Position = clip;
})";

// path 0: the colour alone; 1: modulate; 2: decal over an RGB texture, which
// takes the texture's colour and keeps the fragment's alpha.
const char* const kFragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D image;
uniform int path;
varying vec4 vColour;
varying vec2 vTex;
void main() {
  if (path == 0) {
    gl_FragColor = vColour;
  } else {
    vec4 t = texture2D(image, vTex);
    gl_FragColor = path == 1 ? vColour * t : vec4(t.rgb, vColour.a);
  }
})";

struct Program {
  bool tried = false;
  GLuint program = 0;
  GLuint buffer = 0;
  GLint path = -1;
  GLuint blank = 0;  // bound while nothing is sampled: WebGL warns of an empty unit
};
Program gProgram;

GLuint CompiledShader(GLenum type, const char* source) {
  GLuint shader = emscripten_glCreateShader(type);
  emscripten_glShaderSource(shader, 1, &source, nullptr);
  emscripten_glCompileShader(shader);
  GLint ok = 0;
  emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[512] = "";
    emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "courtball: the court's shader does not compile: %s\n", log);
  }
  return shader;
}

// Built at the first draw, when the context is current; a failure is told
// once and the court then stays undrawn.
bool ProgramReady() {
  if (gProgram.tried) return gProgram.program != 0;
  gProgram.tried = true;
  GLuint program = emscripten_glCreateProgram();
  emscripten_glAttachShader(program, CompiledShader(GL_VERTEX_SHADER, kVertexShader));
  emscripten_glAttachShader(program, CompiledShader(GL_FRAGMENT_SHADER, kFragmentShader));
  emscripten_glBindAttribLocation(program, 0, "clip");
  emscripten_glBindAttribLocation(program, 1, "colour");
  emscripten_glBindAttribLocation(program, 2, "tex");
  emscripten_glLinkProgram(program);
  GLint ok = 0;
  emscripten_glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (!ok) {
    std::fprintf(stderr, "courtball: the court's shader program does not link\n");
    return false;
  }
  emscripten_glUseProgram(program);
  emscripten_glUniform1i(emscripten_glGetUniformLocation(program, "image"), 0);
  gProgram.path = emscripten_glGetUniformLocation(program, "path");
  emscripten_glGenBuffers(1, &gProgram.buffer);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, gProgram.buffer);
  const GLsizei stride = sizeof(BatchVertex);
  emscripten_glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void*>(offsetof(BatchVertex, clip)));
  emscripten_glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void*>(offsetof(BatchVertex, colour)));
  emscripten_glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void*>(offsetof(BatchVertex, tex)));
  for (GLuint i = 0; i < 3; ++i) emscripten_glEnableVertexAttribArray(i);
  const std::uint8_t white[3] = {255, 255, 255};
  emscripten_glGenTextures(1, &gProgram.blank);
  emscripten_glBindTexture(GL_TEXTURE_2D, gProgram.blank);
  WebTextureLevel(0, 1, 1, white);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  gProgram.program = program;
  return true;
}
}  // namespace

void DrawBatch(const BatchVertex* vertices, int count, TexturePath path, unsigned texture) {
  if (count <= 0 || !ProgramReady()) return;
  emscripten_glUniform1i(gProgram.path, static_cast<GLint>(path));
  emscripten_glBindTexture(GL_TEXTURE_2D, path == TexturePath::kNone ? gProgram.blank : texture);
  emscripten_glBufferData(GL_ARRAY_BUFFER, count * sizeof(BatchVertex), vertices, GL_STREAM_DRAW);
  emscripten_glDrawArrays(GL_TRIANGLES, 0, count);
  emscripten_glBindTexture(GL_TEXTURE_2D, texture);
}

void WebCapability(unsigned cap, bool on) {
  if (on) {
    emscripten_glEnable(cap);
  } else {
    emscripten_glDisable(cap);
  }
}

void WebClear(unsigned mask) { emscripten_glClear(mask); }

void WebClearColour(float red, float green, float blue, float alpha) {
  emscripten_glClearColor(red, green, blue, alpha);
}

void WebViewport(int x, int y, int width, int height) {
  emscripten_glViewport(x, y, width, height);
}

void WebFrontFace(unsigned mode) { emscripten_glFrontFace(mode); }

void WebBlendFunc(unsigned source, unsigned destination) {
  emscripten_glBlendFunc(source, destination);
}

void WebFlush() { emscripten_glFlush(); }

unsigned WebNewTexture() {
  GLuint name = 0;
  emscripten_glGenTextures(1, &name);
  return name;
}

void WebBindTexture(unsigned name) { emscripten_glBindTexture(GL_TEXTURE_2D, name); }

void WebTexParameter(unsigned pname, int value) {
  emscripten_glTexParameteri(GL_TEXTURE_2D, pname, value);
}

void WebTextureLevel(int level, int width, int height, const std::uint8_t* rgb) {
  emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  emscripten_glTexImage2D(GL_TEXTURE_2D, level, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                          rgb);
}
