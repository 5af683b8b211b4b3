// Court.h -- the court's sizes in world units, where the game's rules and the
// generated models must agree: the paddles' places, the ball's bounds, the
// placement of the case and walls.
#pragma once

// The paddles stand at -kPaddleZ (far) and +kPaddleZ (near); a flash lands
// 15 units in front of the struck paddle, toward the court.
constexpr float kPaddleZ = 415.0f;
constexpr float kFlashZ = 400.0f;

// The ball's centre stays within these (x and z both ways, y between them).
constexpr float kBallSideLimit = 350.0f;
constexpr float kBallEndLimit = 360.0f;
constexpr float kBallRoofLimit = 370.0f;
constexpr float kBallBottomLimit = -200.0f;
// The ball's mesh stands this far above its centre.
constexpr float kBallMeshLift = 15.0f;

// The case and the three walls are placed at (0, kCourtPlacementY, 0).
constexpr float kCourtPlacementY = 20.0f;
