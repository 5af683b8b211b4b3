// FixedGL.cpp -- the GL 1.1 and GLU calls the game makes, for the browser:
// immediate-mode vertices are lit, sphere-mapped and projected here as the
// desktop's fixed-function GL does it, then drawn through WebGL in one batch
// per glBegin/glEnd. Only the subset the court uses: light 0 as a direction
// with colour material on, sphere-map texture generation, modulate and decal
// over RGB textures, triangles and quads.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <vector>

#include "web/FixedPipeline.h"
#include "web/WebGLBatch.h"

namespace {
constexpr int kBatchCapacity = 16384;  // the floor, the largest, is 8664 corners
constexpr unsigned kTextureNames = 256;

struct FixedState {
  MatrixStack modelView, projection;
  MatrixStack* current = &modelView;
  bool lighting = false, texture2D = false, genS = false, genT = false;
  // Blending as the game asks for it; a batch every vertex of which is
  // opaque under the usual "over" function is drawn without it (below).
  bool blend = false, blendOver = false;
  GLenum envMode = GL_MODULATE;
  LightState light;
  float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  float normal[3] = {0.0f, 0.0f, 1.0f};
  float tex[2] = {0.0f, 0.0f};
  GLuint boundTexture = 0;
  bool hasImage[kTextureNames] = {};
  GLint unpackAlignment = 4;
  // Between glBegin and glEnd.
  GLenum primitive = 0;
  GLMatrix clipMatrix;
  float normalMatrix[9];
  BatchVertex quad[4];
  int quadCorners = 0;
  int count = 0;
  bool opaque = true;
};

FixedState gState;
BatchVertex gBatch[kBatchCapacity];

void Append(const BatchVertex& v) {
  if (gState.count < kBatchCapacity) gBatch[gState.count++] = v;
}

// A quad's corners 0 1 2 3 become the triangles 0 1 2 and 0 2 3.
void AppendQuadCorner(const BatchVertex& v) {
  gState.quad[gState.quadCorners++] = v;
  if (gState.quadCorners < 4) return;
  const BatchVertex* q = gState.quad;
  for (int i : {0, 1, 2, 0, 2, 3}) Append(q[i]);
  gState.quadCorners = 0;
}

TexturePath PathForDraw() {
  const GLuint name = gState.boundTexture;
  if (!gState.texture2D || name >= kTextureNames || !gState.hasImage[name]) {
    return TexturePath::kNone;  // an empty texture object leaves texturing off
  }
  return gState.envMode == GL_DECAL ? TexturePath::kDecal : TexturePath::kModulate;
}

bool* Flag(GLenum cap) {
  switch (cap) {
    case GL_LIGHTING: return &gState.lighting;
    case GL_TEXTURE_2D: return &gState.texture2D;
    case GL_TEXTURE_GEN_S: return &gState.genS;
    case GL_TEXTURE_GEN_T: return &gState.genT;
    case GL_BLEND: return &gState.blend;
    default: return nullptr;
  }
}

void SetCapability(GLenum cap, bool on) {
  if (bool* flag = Flag(cap)) {
    *flag = on;
  } else if (cap == GL_DEPTH_TEST || cap == GL_CULL_FACE) {
    WebCapability(cap, on);
  }
  // Light 0 and colour material stay on and line smoothing has no lines to
  // smooth: the court needs nothing more of them.
}

// GLU reads rows padded to the unpack alignment; WebGL gets them packed.
std::vector<std::uint8_t> PackedRows(const void* data, int width, int height) {
  const int row = width * 3;
  const int align = gState.unpackAlignment > 0 ? gState.unpackAlignment : 1;
  const int stride = (row + align - 1) / align * align;
  std::vector<std::uint8_t> packed(static_cast<size_t>(row) * height);
  const auto* in = static_cast<const std::uint8_t*>(data);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < row; ++x) packed[y * row + x] = in[y * stride + x];
  }
  return packed;
}

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// The game sees names as desktop GL hands them out, 1 upward in order (the
// trace records them); WebGL's own may start elsewhere. A deleted name is
// given out again first, keeping its WebGL texture for the new image, so a
// scene set up again gets the names of the first.
GLuint gWebTextureNames[kTextureNames];  // [0] stays 0: no texture
bool gNameTaken[kTextureNames] = {true};

GLuint TakeLowestFreeName() {
  for (GLuint name = 1; name < kTextureNames; ++name) {
    if (gNameTaken[name]) continue;
    gNameTaken[name] = true;
    if (gWebTextureNames[name] == 0) gWebTextureNames[name] = WebNewTexture();
    return name;
  }
  return 0;
}
}  // namespace

extern "C" {

void glEnable(GLenum cap) { SetCapability(cap, true); }
void glDisable(GLenum cap) { SetCapability(cap, false); }
void glClear(GLbitfield mask) { WebClear(mask); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { WebClearColour(r, g, b, a); }
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  WebViewport(x, y, width, height);
}
void glFrontFace(GLenum mode) { WebFrontFace(mode); }
void glBlendFunc(GLenum source, GLenum destination) {
  gState.blendOver = source == GL_SRC_ALPHA && destination == GL_ONE_MINUS_SRC_ALPHA;
  WebBlendFunc(source, destination);
}
void glFlush() { WebFlush(); }
void glShadeModel(GLenum) {}             // smooth, as WebGL always is
void glColorMaterial(GLenum, GLenum) {}  // front, ambient and diffuse: see LitColour

void glMatrixMode(GLenum mode) {
  gState.current = mode == GL_PROJECTION ? &gState.projection : &gState.modelView;
}
void glLoadIdentity() { Top(*gState.current) = IdentityMatrix(); }
void glPushMatrix() { PushMatrix(*gState.current); }
void glPopMatrix() { PopMatrix(*gState.current); }
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  MultiplyTop(*gState.current, RotationMatrix(angle, x, y, z));
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  MultiplyTop(*gState.current, TranslationMatrix(x, y, z));
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  if (light != GL_LIGHT0) return;
  LightState& l = gState.light;
  if (pname == GL_AMBIENT) {
    for (int i = 0; i < 4; ++i) l.ambient[i] = params[i];
  } else if (pname == GL_DIFFUSE) {
    for (int i = 0; i < 4; ++i) l.diffuse[i] = params[i];
  } else if (pname == GL_POSITION) {
    float eye[4];
    Transform(Top(gState.modelView), params, eye);  // kept in eye space, as GL does
    SetLightDirection(l, eye);
  }
}

void glTexEnvi(GLenum, GLenum pname, GLint param) {
  if (pname == GL_TEXTURE_ENV_MODE) gState.envMode = static_cast<GLenum>(param);
}
void glTexGenf(GLenum, GLenum, GLfloat) {}  // sphere map, the only mode the court uses

void glGenTextures(GLsizei n, GLuint* names) {
  for (GLsizei i = 0; i < n; ++i) names[i] = TakeLowestFreeName();
}
void glDeleteTextures(GLsizei n, const GLuint* names) {
  for (GLsizei i = 0; i < n; ++i) {
    const GLuint name = names[i];
    if (name == 0 || name >= kTextureNames) continue;
    gNameTaken[name] = false;
    gState.hasImage[name] = false;
    if (gState.boundTexture == name) glBindTexture(GL_TEXTURE_2D, 0);
  }
}
void glBindTexture(GLenum, GLuint name) {
  gState.boundTexture = name;
  WebBindTexture(name < kTextureNames ? gWebTextureNames[name] : 0);
}
void glTexParameteri(GLenum, GLenum pname, GLint param) { WebTexParameter(pname, param); }
void glPixelStorei(GLenum pname, GLint param) {
  if (pname == GL_UNPACK_ALIGNMENT) gState.unpackAlignment = param;
}
void glGetIntegerv(GLenum pname, GLint* params) {
  if (pname == GL_UNPACK_ALIGNMENT) *params = gState.unpackAlignment;
}
// The page reads the projection back to tell its shape.
void glGetFloatv(GLenum pname, GLfloat* params) {
  const MatrixStack* stack = pname == GL_PROJECTION_MATRIX  ? &gState.projection
                             : pname == GL_MODELVIEW_MATRIX ? &gState.modelView
                                                            : nullptr;
  if (stack == nullptr) return;
  for (int i = 0; i < 16; ++i) params[i] = stack->level[stack->top].m[i];
}

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  gState.colour[0] = r, gState.colour[1] = g, gState.colour[2] = b, gState.colour[3] = a;
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  gState.normal[0] = x, gState.normal[1] = y, gState.normal[2] = z;
}
void glNormal3fv(const GLfloat* v) { glNormal3f(v[0], v[1], v[2]); }
void glTexCoord2f(GLfloat s, GLfloat t) { gState.tex[0] = s, gState.tex[1] = t; }

// The matrices cannot change inside glBegin/glEnd, so they are combined once.
void glBegin(GLenum mode) {
  gState.primitive = mode;
  gState.count = 0;
  gState.quadCorners = 0;
  gState.opaque = true;
  const GLMatrix& modelView = Top(gState.modelView);
  gState.clipMatrix = Multiply(Top(gState.projection), modelView);
  NormalMatrix(modelView, gState.normalMatrix);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  const float object[4] = {x, y, z, 1.0f};
  BatchVertex v;
  Transform(gState.clipMatrix, object, v.clip);
  // The eye-space normal serves the light and the sphere map, the eye-space
  // position only the sphere map: neither is worked out for nothing.
  const bool sphereMap = gState.genS || gState.genT;
  float n[3] = {0.0f, 0.0f, 0.0f};
  if (gState.lighting || sphereMap) {
    const float* m = gState.normalMatrix;
    const float* o = gState.normal;
    for (int i = 0; i < 3; ++i) n[i] = m[3 * i] * o[0] + m[3 * i + 1] * o[1] + m[3 * i + 2] * o[2];
  }
  if (gState.lighting) {
    LitColour(gState.light, gState.colour, n, v.colour);
  } else {
    for (int i = 0; i < 4; ++i) {
      const float c = gState.colour[i];
      v.colour[i] = c < 0.0f ? 0.0f : (c > 1.0f ? 1.0f : c);
    }
  }
  float sphere[2] = {0.0f, 0.0f};
  if (sphereMap) {
    float eye[4];
    Transform(Top(gState.modelView), object, eye);
    SphereMapCoords(eye, n, sphere);
  }
  gState.opaque = gState.opaque && v.colour[3] >= 1.0f;
  v.tex[0] = gState.genS ? sphere[0] : gState.tex[0];
  v.tex[1] = gState.genT ? sphere[1] : gState.tex[1];
  if (gState.primitive == GL_QUADS) {
    AppendQuadCorner(v);
  } else if (gState.primitive == GL_TRIANGLES) {
    Append(v);
  }
}

// "Over" with a source alpha of 1 leaves the source's colour, so an opaque
// batch skips blending, which costs a software renderer a read of every
// pixel it covers. The court's textures are RGB: they never lower alpha.
void glEnd() {
  const bool blend = gState.blend && !(gState.opaque && gState.blendOver);
  DrawBatch(gBatch, gState.count, PathForDraw(), blend);
  gState.primitive = 0;
  gState.count = 0;
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  MultiplyTop(*gState.current, PerspectiveMatrix(fovy, aspect, zNear, zFar));
}

// GLU's way: level 0 as given, then each level the box-filtered half of the
// one before, down to 1x1. The court's bitmaps are RGB with power-of-two sides.
GLint gluBuild2DMipmaps(GLenum, GLint, GLsizei width, GLsizei height, GLenum format, GLenum type,
                        const void* data) {
  if (format != GL_RGB || type != GL_UNSIGNED_BYTE || !PowerOfTwo(width) || !PowerOfTwo(height)) {
    std::fprintf(stderr, "courtball: a %dx%d texture the browser build cannot upload\n", width,
                 height);
    return GLU_INVALID_VALUE;
  }
  std::vector<std::uint8_t> level = PackedRows(data, width, height);
  std::vector<std::uint8_t> next(level.size());
  int w = width, h = height;
  for (int i = 0;; ++i) {
    WebTextureLevel(i, w, h, level.data());
    int nw = 0, nh = 0;
    if (!HalveImage(level.data(), w, h, next.data(), nw, nh)) break;
    level.swap(next);
    w = nw, h = nh;
  }
  if (gState.boundTexture < kTextureNames) gState.hasImage[gState.boundTexture] = true;
  return 0;
}

}  // extern "C"
