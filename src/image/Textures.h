// Textures.h -- the eight scene textures: title card, environment map and the
// six ball frames, uploaded once as mipmapped GL textures.
#pragma once
#include "court/GameFiles.h"

extern unsigned int gTitleTexture;
extern unsigned int gEnvMapTexture;
extern unsigned int gBallTextures[kBallBitmapCount];

// Loads "Title.bmp", "envmap.bmp", "Ball1.bmp".."Ball6.bmp" in that order.
// A file the reader refuses ends the process with exit code 1.
void LoadTextures();
// Deletes the eight textures and zeroes their names, for a scene set up
// again (a game played again from its first tick); GL may reuse the names.
void UnloadTextures();
