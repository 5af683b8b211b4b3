// MeshModel.h -- a triangle mesh read from an ASE file: placement, per-face
// colour, per-vertex glow, and its immediate-mode drawing under a ViewState.
#pragma once
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>

#include "camera/OrbitCamera.h"
#include "math/MathTypes.h"

// Fixed room of every mesh array; indices 0..1999.
constexpr int kMeshCapacity = 2000;

// A count held within 0..kMeshCapacity: counts are public fields, and no loop
// may walk off the arrays whatever they hold.
inline int CappedCount(int count) {
  if (count < 0) return 0;
  return count < kMeshCapacity ? count : kMeshCapacity;
}

// Bytes of a mesh file the reader reads at most; an export with animation
// runs to tens of MB, and a file that never ends must not hold up the game.
constexpr uint64_t kMeshFileLimit = uint64_t{256} << 20;

// True when index names a slot of the arrays (0..1999), whatever a file said.
inline bool IsMeshSlot(int index) { return index >= 0 && index < kMeshCapacity; }

class MeshFace {
 public:
  int vertexA = 0, vertexB = 0, vertexC = 0;
  int texA = 0, texB = 0, texC = 0;
  float red = 0.0f, green = 0.0f, blue = 0.0f, alpha = 0.0f;

  // Corners a, b, c with one random grey (one GameRandom draw) and alpha 1.
  void SetVertices(int a, int b, int c);
  void SetTexVertices(int a, int b, int c);
  void PrintVertexNumbers(std::ostream& stream) const;
};

// The int flags of SetColour and Draw, named for their callers.
constexpr int kNoTint = 0;
constexpr int kGreyTint = 1;
constexpr int kSphereMapped = 0;
constexpr int kOwnCoordinates = 1;
constexpr unsigned int kNoTexture = 0;

class MeshModel {
 public:
  int vertexCount = 0;
  int faceCount = 0;
  int glowDecay = 0;  // 0: glow cleared after each draw; else it fades
  int texVertexCount = 0;
  std::unique_ptr<Vertex[]> texVertices;  // s in x, t in y
  std::unique_ptr<Vertex[]> glow;         // red x, green y, blue z, alpha s
  Vec3 position{0.0f, 200.0f, 0.0f};
  std::unique_ptr<Vertex[]> vertices;  // model space, already scaled
  std::unique_ptr<Vec3[]> normals;
  std::unique_ptr<MeshFace[]> faces;

  MeshModel();

  // Reads an ASE file (working-directory relative). A missing file, or
  // anything but a regular file, leaves the counts 0; a bad record, a read
  // error or kMeshFileLimit ends the reading with the counts reached.
  void Load(const char* path, float scale);
  void LoadFromStream(std::istream& in, float scale);

  void SetPosition(float x, float y, float z);
  // tint kNoTint: every face takes the colour; kGreyTint: one random grey
  // stands in for each non-zero component. A random value is drawn either way.
  void SetColour(float r, float g, float b, int tint);
  void SetAlpha(float a);
  void EnableGlowDecay();
  void Scale(float factor);

  // Draws under the view, kSphereMapped or textured by kOwnCoordinates;
  // texture may be kNoTexture. Ends with DecayGlow.
  void Draw(ViewState view, unsigned int texture, int textured);
  void DecayGlow();

  void GlowNear(Vertex point, int colourIndex);
  void Flash(Vertex point);

  // True when all three corners name a slot of the arrays (0..1999); Draw
  // skips any other face.
  static bool FaceDrawable(const MeshFace& face);

 private:
  // One corner's normal, glowing colour, optional texture coordinate, vertex.
  void DrawCorner(const MeshFace& face, int v, int textured) const;
};
