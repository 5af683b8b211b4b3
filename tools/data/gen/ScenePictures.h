// ScenePictures.h -- the game's eight pictures: the title card, the environment
// map of the case and paddles, and the six frames of the ball's surface.
#pragma once
#include "court/GameFiles.h"
#include "data/gen/Picture.h"

constexpr int kTitleSize = 512;
constexpr int kEnvMapSize = 256;
constexpr int kBallTextureSize = 128;
constexpr int kBallFrames = kBallBitmapCount;

// The name, large, and the three keys, on a dark card (upright).
Picture PaintTitleCard();
// A sphere map: what a polished surface reflects, a sky over a dark ground
// with a bright horizon and a sun.
Picture PaintEnvMap();
// Frame 0..5 of a moving fiery plasma that wraps around the ball (it tiles
// across; the frames play forward and back).
Picture PaintBallFrame(int frame);
