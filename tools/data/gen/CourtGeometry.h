// CourtGeometry.h -- where the generated models stand in the world: the sizes
// the generator builds to (world units).
#pragma once
#include "court/Court.h"
#include "court/GameFiles.h"

namespace court {

// The ball's and paddles' sizes and places, and each file's load scale, are
// court/Court.h's and court/GameFiles.h's: the ball's radius is
// kBallMeshLift, so the drawn sphere rests on the ball's centre.

// The floor's drawn grid (rows and columns 1..39) and its height range.
constexpr double kFloorEdge = 380.0;
constexpr double kFloorLow = -30.0;
constexpr double kFloorHigh = 97.0;

// The three glass walls: two sides and a roof, open at both ends.
constexpr double kWallX = 410.0;
constexpr double kWallBottom = -50.0;
constexpr double kRoofY = 430.0;
constexpr double kWallZ = 430.0;
constexpr int kSideWallRows = 19;     // along y
constexpr int kSideWallColumns = 34;  // along z
constexpr int kRoofRows = 32;         // along x
constexpr int kRoofColumns = 30;      // along z: a little coarser to fit 2000 faces

// The paddle: a slab centred on the ball's drawn centre (kBallMeshLift up),
// faces on a 5-unit grid.
constexpr double kPaddleWidth = 100.0;
constexpr double kPaddleHeight = 70.0;
constexpr double kPaddleThickness = 10.0;
constexpr double kPaddleCell = 5.0;

// The ball: a UV sphere.
constexpr int kBallSegments = 24;
constexpr int kBallRings = 12;

// The case: a shallow tray with rounded corners, seen from inside. Its plan
// is a core rectangle grown by the profile's reach: a flat base under the
// floor, a fillet, then a low wall leaning outward. The base lies below the
// walls' feet and reaches past them; the rim stays low so the case covers
// little of the screen.
constexpr double kCaseCoreX = 395.0;
constexpr double kCaseCoreZ = 415.0;
constexpr double kCaseFlat = 10.0;
constexpr double kCaseFillet = 20.0;
constexpr double kCaseBottom = -60.0;
constexpr double kCaseLeanDegrees = 30.0;
constexpr double kCaseTop = 10.0;
constexpr int kCaseCornerSteps = 6;
constexpr int kCaseSideStepsX = 11;
constexpr int kCaseSideStepsZ = 11;
constexpr int kCaseBaseRings = 3;
constexpr int kCaseFilletSteps = 3;
constexpr int kCaseWallSteps = 2;

}  // namespace court
