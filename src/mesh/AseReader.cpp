// AseReader.cpp -- MeshModel::Load: the vertex, face, texture and normal
// records of one mesh in an ASCII scene export, read token by token.
#include <istream>
#include <locale>

#include "mesh/MeshModel.h"
#include "platform/DataFile.h"

namespace {
// Room kept of each token; the longest keyword test looks at 18 characters,
// so anything longer is cut here and the rest of the token skipped.
constexpr int kTokenRoom = 48;

struct Token {
  char text[kTokenRoom];
  int length;  // characters kept, at most kTokenRoom - 1
};

bool IsBlank(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads the next run of non-blank characters, keeping its first characters.
// False when only white space (or nothing) is left.
bool ReadToken(std::istream& in, Token& token) {
  std::streambuf* buffer = in.rdbuf();
  if (in.fail() || buffer == nullptr) return false;
  const int end = std::char_traits<char>::eof();
  int c = buffer->sgetc();
  while (c != end && IsBlank(c)) c = buffer->snextc();
  if (c == end) {
    in.setstate(std::ios::eofbit);
    return false;
  }
  token.length = 0;
  while (c != end && !IsBlank(c)) {
    if (token.length < kTokenRoom - 1) token.text[token.length++] = static_cast<char>(c);
    c = buffer->snextc();
  }
  if (c == end) in.setstate(std::ios::eofbit);
  return true;
}

// The token's first n characters equal the keyword's first n; a token of
// fewer than n characters never matches.
bool Begins(const Token& token, const char* keyword, int n) {
  if (token.length < n) return false;
  for (int i = 0; i < n; ++i) {
    if (token.text[i] != keyword[i]) return false;
  }
  return true;
}

enum class Record { kNone, kNormal, kVertex, kFace, kTexVertex, kTexFace };

// The five keyword tests in their fixed order, each with its exclusions.
Record Classify(const Token& t) {
  if (Begins(t, "*MESH_VERTEXNORMAL", 18)) return Record::kNormal;
  if (Begins(t, "*MESH_VERTEX", 12)) {
    if (Begins(t, "*MESH_VERTEX_LIST", 16)) return Record::kNone;
    return Record::kVertex;
  }
  if (Begins(t, "*MESH_FACE", 10)) {
    if (Begins(t, "*MESH_FACE_LIST", 15) || Begins(t, "*MESH_FACENORMAL", 16)) {
      return Record::kNone;
    }
    return Record::kFace;
  }
  if (Begins(t, "*MESH_TVERT", 11)) {
    return Begins(t, "*MESH_TVERTLIST", 15) ? Record::kNone : Record::kTexVertex;
  }
  if (Begins(t, "*MESH_TFAC", 10)) {
    return Begins(t, "*MESH_TFACE_LIST", 16) ? Record::kNone : Record::kTexFace;
  }
  return Record::kNone;
}

// One pass over a stream. Each record reader returns false when the reading
// must end: a number that cannot be read, or the texture-face rule.
class AseReader {
 public:
  AseReader(MeshModel& model, std::istream& in, float scale)
      : model_(model), in_(in), scale_(scale) {}

  void Run() {
    Token token;
    while (!in_.eof() && ReadToken(in_, token)) {
      if (!ReadRecord(Classify(token))) break;
    }
    model_.vertexCount = vertexNumber_;
    model_.faceCount = faceNumber_;
    model_.texVertexCount = texVertexNumber_;
  }

 private:
  bool ReadRecord(Record record) {
    switch (record) {
      case Record::kNormal: return ReadNormal();
      case Record::kVertex: return ReadVertex();
      case Record::kFace: return ReadFace();
      case Record::kTexVertex: return ReadTexVertex();
      case Record::kTexFace: return ReadTexFace();
      case Record::kNone: break;
    }
    return true;
  }

  // Extraction as the stream does it: white space skipped first, then as
  // much of the text as forms a number. A failure leaves the stream failed.
  template <typename T>
  bool Read(T& value) {
    in_ >> value;
    return !in_.fail();
  }

  bool Skip() {
    Token ignored;
    return ReadToken(in_, ignored);
  }

  bool ReadNormal() {
    int i;
    float p, q, r;
    if (!Read(i) || !Read(p) || !Read(q) || !Read(r)) return false;
    if (IsMeshSlot(i)) model_.normals[i] = Vec3{p, -r, q};  // file z is up
    return true;
  }

  bool ReadVertex() {
    int i;
    float x, y, z;
    if (!Read(i) || !Read(x) || !Read(y) || !Read(z)) return false;
    if (!IsMeshSlot(i) || vertexNumber_ >= kMeshCapacity) return true;
    Vertex& v = model_.vertices[i];
    v.x = x * scale_;
    v.y = y * scale_;
    v.z = z * scale_;
    ++vertexNumber_;
    return true;
  }

  // "*MESH_FACE 0: A: 0 B: 1 C: 2 ...": the face's own number is not used.
  bool ReadFace() {
    int a, b, c;
    if (!Skip() || !Skip() || !Read(a) || !Skip() || !Read(b) || !Skip() || !Read(c)) {
      return false;
    }
    if (faceNumber_ >= kMeshCapacity) return true;
    model_.faces[faceNumber_].SetVertices(a, b, c);
    ++faceNumber_;
    return true;
  }

  bool ReadTexVertex() {
    int i;
    float s, t;
    if (!Read(i) || !Read(s) || !Read(t)) return false;
    if (!IsMeshSlot(i) || texVertexNumber_ >= kMeshCapacity) return true;
    model_.texVertices[i].x = s;
    model_.texVertices[i].y = t;
    ++texVertexNumber_;
    return true;
  }

  // The texture-face rule: reading ends once the records read outnumber the
  // index, so with indices from 0 the first record ends it. The list header
  // "*MESH_TFACELIST {" has no index and ends it too.
  bool ReadTexFace() {
    int i, a, b, c;
    if (!Read(i) || !Read(a) || !Read(b) || !Read(c)) return false;
    if (!IsMeshSlot(i)) return true;
    model_.faces[i].SetTexVertices(a, b, c);
    ++texFaceNumber_;
    return texFaceNumber_ <= i;
  }

  MeshModel& model_;
  std::istream& in_;
  float scale_;
  int vertexNumber_ = 0;
  int faceNumber_ = 0;
  int texVertexNumber_ = 0;
  int texFaceNumber_ = 0;
};
}  // namespace

void MeshModel::LoadFromStream(std::istream& in, float scale) { AseReader(*this, in, scale).Run(); }

void MeshModel::Load(const char* path, float scale) {
  vertexCount = 0;
  faceCount = 0;
  texVertexCount = 0;
  DataFile file(path);
  if (!file.IsOpen()) return;  // a missing file leaves an empty, drawable model
  DataFileBuffer buffer(file, kMeshFileLimit);
  std::istream in(&buffer);          // carriage returns are white space to the reader
  in.imbue(std::locale::classic());  // a decimal point, whatever the desktop's
  LoadFromStream(in, scale);
}
