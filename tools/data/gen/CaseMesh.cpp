// CaseMesh.cpp -- the case: a shallow open tray with rounded corners that the
// floor and the glass walls stand in. Its faces look inward, so from the
// orbiting camera, always outside it, the near wall culls away and the base
// and the far walls' polished inside frame the court. Being convex, the part
// of it that is drawn lies behind whatever stands inside it, and below
// whatever stands above its rim. It is kept low and tight around the walls'
// feet because it is drawn first and every pixel it covers is paid for, even
// under the floor. Its walls lean outward so they reflect the sky while the
// upright paddles in front of them reflect the ground: the same surface angle
// would make both show the same colour.
#include <cmath>
#include <vector>

#include "data/gen/CourtGeometry.h"
#include "data/gen/CourtMeshes.h"

using namespace court;

namespace {

constexpr double kPi = 3.14159265358979323846;

// A point of the core rectangle's outline and the outward direction there,
// both in the horizontal plane (x, z).
struct PlanPoint {
  double x, z;
  double dx, dz;
};

void AddCorner(std::vector<PlanPoint>& plan, double cx, double cz, double startDegrees) {
  for (int k = 0; k <= kCaseCornerSteps; ++k) {
    double a = (startDegrees + 90.0 * k / kCaseCornerSteps) * kPi / 180.0;
    plan.push_back({cx, cz, std::cos(a), std::sin(a)});
  }
}

// Points strictly between two corners along a straight side.
void AddSide(std::vector<PlanPoint>& plan, PlanPoint from, PlanPoint to, int steps) {
  for (int k = 1; k < steps; ++k) {
    double f = static_cast<double>(k) / steps;
    plan.push_back({from.x + (to.x - from.x) * f, from.z + (to.z - from.z) * f, from.dx, from.dz});
  }
}

// The plan outline counter-clockwise seen from above.
std::vector<PlanPoint> CasePlan() {
  std::vector<PlanPoint> plan;
  const double cx = kCaseCoreX, cz = kCaseCoreZ;
  AddCorner(plan, cx, cz, 0.0);
  AddSide(plan, plan.back(), {-cx, cz, 0, 1}, kCaseSideStepsX);
  AddCorner(plan, -cx, cz, 90.0);
  AddSide(plan, plan.back(), {-cx, -cz, -1, 0}, kCaseSideStepsZ);
  AddCorner(plan, -cx, -cz, 180.0);
  AddSide(plan, plan.back(), {cx, -cz, 0, -1}, kCaseSideStepsX);
  AddCorner(plan, cx, -cz, 270.0);
  AddSide(plan, plan.back(), plan.front(), kCaseSideStepsZ);
  return plan;
}

// One step of the profile: how far out from the core, how high (world), and
// the inward normal as (outward part, up part).
struct ProfilePoint {
  double out, y;
  double normalOut, normalUp;
};

// The fillet turns from the base (normal up) to the leaning wall, whose
// inward normal tilts up by the lean; the wall then runs straight to the rim.
std::vector<ProfilePoint> CaseProfile() {
  std::vector<ProfilePoint> profile;
  const double lean = kCaseLeanDegrees * kPi / 180.0;
  const double centreY = kCaseBottom + kCaseFillet;
  for (int k = 0; k <= kCaseFilletSteps; ++k) {
    double a = -kPi / 2 + (kPi / 2 - lean) * k / kCaseFilletSteps;
    profile.push_back({kCaseFlat + kCaseFillet * std::cos(a), centreY + kCaseFillet * std::sin(a),
                       -std::cos(a), -std::sin(a)});
  }
  const ProfilePoint foot = profile.back();
  for (int k = 1; k <= kCaseWallSteps; ++k) {
    double y = foot.y + (kCaseTop - foot.y) * k / kCaseWallSteps;
    profile.push_back({foot.out + (y - foot.y) * std::tan(lean), y, foot.normalOut, foot.normalUp});
  }
  return profile;
}

}  // namespace

BuiltMesh BuildCaseMesh() {
  BuiltMesh mesh;
  mesh.name = "case";
  const std::vector<PlanPoint> plan = CasePlan();
  const std::vector<ProfilePoint> profile = CaseProfile();
  const int around = static_cast<int>(plan.size());
  const double baseY = kCaseBottom - kCourtPlacementY;
  // The base: the profile's first outline shrunk toward the centre in rings,
  // so the reflection across it is sampled finely enough to stay smooth.
  for (int ring = 1; ring < kCaseBaseRings; ++ring) {
    double k = static_cast<double>(ring) / kCaseBaseRings;
    for (const PlanPoint& q : plan) {
      D3 edge{q.x + kCaseFlat * q.dx, baseY, q.z + kCaseFlat * q.dz};
      mesh.AddVertex({edge.x * k, baseY, edge.z * k}, {0.0, 1.0, 0.0});
    }
  }
  for (const ProfilePoint& p : profile) {
    for (const PlanPoint& q : plan) {
      D3 position{q.x + p.out * q.dx, p.y - kCourtPlacementY, q.z + p.out * q.dz};
      mesh.AddVertex(position, {p.normalOut * q.dx, p.normalUp, p.normalOut * q.dz});
    }
  }
  int centre = mesh.AddVertex({0.0, baseY, 0.0}, {0.0, 1.0, 0.0});
  for (int i = 0; i < around; ++i) mesh.AddTriangleFacing(centre, i, (i + 1) % around);
  const int rows = kCaseBaseRings - 1 + static_cast<int>(profile.size());
  for (int row = 0; row + 1 < rows; ++row) {
    for (int i = 0; i < around; ++i) {
      int a = row * around + i;
      int b = row * around + (i + 1) % around;
      mesh.AddTriangleFacing(a, b, b + around);
      mesh.AddTriangleFacing(a, b + around, a + around);
    }
  }
  return mesh;
}
