// WebGLBatch.cpp -- the WebGL programs the court is drawn with, its vertex
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

// One fragment program per path, so no fragment pays for a branch or a
// texture fetch it does not use. Decal over an RGB texture takes the
// texture's colour and keeps the fragment's alpha.
const char* const kFragmentHead = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D image;
varying vec4 vColour;
varying vec2 vTex;
)";
const char* const kFragmentBodies[] = {
    "void main() { gl_FragColor = vColour; }",
    "void main() { gl_FragColor = vColour * texture2D(image, vTex); }",
    "void main() { gl_FragColor = vec4(texture2D(image, vTex).rgb, vColour.a); }",
};
constexpr int kPaths = 3;

struct Programs {
  bool tried = false;
  bool ready = false;
  GLuint program[kPaths] = {};
  GLuint buffer = 0;
  int current = -1;
  int blending = -1;  // WebGL's own GL_BLEND, set only when a draw needs it changed
};
Programs gPrograms;

GLuint CompiledShader(GLenum type, const char* head, const char* body) {
  GLuint shader = emscripten_glCreateShader(type);
  const char* sources[] = {head, body};
  emscripten_glShaderSource(shader, 2, sources, nullptr);
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

GLuint LinkedProgram(GLuint vertexShader, const char* fragmentBody) {
  GLuint program = emscripten_glCreateProgram();
  emscripten_glAttachShader(program, vertexShader);
  emscripten_glAttachShader(program,
                            CompiledShader(GL_FRAGMENT_SHADER, kFragmentHead, fragmentBody));
  emscripten_glBindAttribLocation(program, 0, "clip");
  emscripten_glBindAttribLocation(program, 1, "colour");
  emscripten_glBindAttribLocation(program, 2, "tex");
  emscripten_glLinkProgram(program);
  GLint ok = 0;
  emscripten_glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (!ok) {
    std::fprintf(stderr, "courtball: the court's shader program does not link\n");
    return 0;
  }
  emscripten_glUseProgram(program);
  emscripten_glUniform1i(emscripten_glGetUniformLocation(program, "image"), 0);
  return program;
}

// Built at the first draw, when the context is current; a failure is told
// once and the court then stays undrawn.
bool ProgramsReady() {
  if (gPrograms.tried) return gPrograms.ready;
  gPrograms.tried = true;
  const GLuint vertexShader = CompiledShader(GL_VERTEX_SHADER, "", kVertexShader);
  for (int i = 0; i < kPaths; ++i) {
    gPrograms.program[i] = LinkedProgram(vertexShader, kFragmentBodies[i]);
    if (gPrograms.program[i] == 0) return false;
  }
  emscripten_glGenBuffers(1, &gPrograms.buffer);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, gPrograms.buffer);
  const GLsizei stride = sizeof(BatchVertex);
  emscripten_glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void*>(offsetof(BatchVertex, clip)));
  emscripten_glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void*>(offsetof(BatchVertex, colour)));
  emscripten_glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void*>(offsetof(BatchVertex, tex)));
  for (GLuint i = 0; i < 3; ++i) emscripten_glEnableVertexAttribArray(i);
  gPrograms.ready = true;
  return true;
}
}  // namespace

void DrawBatch(const BatchVertex* vertices, int count, TexturePath path, bool blend) {
  if (count <= 0 || !ProgramsReady()) return;
  if (static_cast<int>(blend) != gPrograms.blending) {
    WebCapability(GL_BLEND, blend);
    gPrograms.blending = blend;
  }
  const int index = static_cast<int>(path);
  if (index != gPrograms.current) {
    emscripten_glUseProgram(gPrograms.program[index]);
    gPrograms.current = index;
  }
  emscripten_glBufferData(GL_ARRAY_BUFFER, count * sizeof(BatchVertex), vertices, GL_STREAM_DRAW);
  emscripten_glDrawArrays(GL_TRIANGLES, 0, count);
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
