// OrbitCamera.h -- the game's one view: a camera circling a target point at a
// fixed distance and height, and ViewState, the by-value copy each draw gets.
#pragma once
#include "math/MathTypes.h"

class OrbitCamera {
 public:
  Vertex position{};  // eye position (x, y, z)
  Vertex angles{};    // pitch (x), yaw (y), roll (z), degrees
  Vertex target{};    // the point orbited, as last given to Update
  float orbitAngle = 0.0f;
  float distance = 1000.0f;
  int fogMode = 0;
  int autoRotate = 1;

  void StartOrbit();
  void Update(Vertex target);
  void ToggleAutoRotate();
  float OrbitAngle() const;

  // Available; nothing in the game calls them.
  void ZoomIn();
  void ZoomOut();
  void StepFogForward();
  void StepFogBack();
  void KeepAbove(float height);
};

// A copy of the whole camera record, taken when a draw call is made.
class ViewState {
 public:
  OrbitCamera record;

  ViewState() = default;
  explicit ViewState(const OrbitCamera& camera) : record(camera) {}
  Vertex Position() const { return record.position; }
  Vertex Angles() const { return record.angles; }
  Vertex Target() const { return record.target; }
};

// Applies a view to the current model-view matrix: pitch about x, yaw about y,
// roll about z (degrees), then minus the eye position. Shared by every draw.
void ApplyView(const ViewState& view);
