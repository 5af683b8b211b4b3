// GameFiles.h -- the 19 files the game reads from its working directory, in
// one table: the game loads from it, the data tool generates and checks it.
#pragma once

enum class FileKind {
  kMesh,          // drawn lit from its normals; a texture-face list would cut them off
  kTexturedMesh,  // drawn with its own texture coordinates, looked up by vertex index
  kBitmap,        // a texture; the game ends if its reader refuses it
  kHeights,       // the floor: the first 1600 bytes are heights, header included
  kSound,         // a WAV; without it the game plays on in silence
};

struct GameFile {
  const char* name;
  FileKind kind;
  float scale;  // a mesh's load scale; 1 for the others
  const char* purpose;
};

// Slots of kGameFiles: meshes, then bitmaps, then the floor, then the sounds.
enum GameFileId {
  kBallMesh,
  kCaseMesh,
  kPaddleMesh,
  kLeftWallMesh,
  kRoofMesh,
  kRightWallMesh,
  kTitleBitmap,
  kEnvMapBitmap,
  kBallBitmap1,  // the ball's six animation frames follow in order
  kFloorHeights = kBallBitmap1 + 6,
  kFirstSoundFile,  // in the order of the mixer's sounds (sound/Mixer.h)
  kGameFileCount = kFirstSoundFile + 4,
};

constexpr int kBallBitmapCount = 6;

inline constexpr GameFile kGameFiles[kGameFileCount] = {
    {"ball.ase", FileKind::kTexturedMesh, 0.3f, "the ball, read before the window opens"},
    {"case.ase", FileKind::kMesh, 3.9f, "the case the court stands in, sphere-mapped"},
    {"Paddle.ase", FileKind::kMesh, 0.5f, "both paddles, read once for each, sphere-mapped"},
    {"LeftWall.ase", FileKind::kMesh, 3.9f, "the left glass wall, glows near the ball"},
    {"Roof.ase", FileKind::kMesh, 3.9f, "the glass roof, glows near the ball"},
    {"RightWall.ase", FileKind::kMesh, 3.9f, "the right glass wall, glows near the ball"},
    {"Title.bmp", FileKind::kBitmap, 1.0f, "the title card that spins away at the start"},
    {"envmap.bmp", FileKind::kBitmap, 1.0f, "the sphere map of the case and paddles"},
    {"Ball1.bmp", FileKind::kBitmap, 1.0f, "the ball's surface, frame 1 of 6"},
    {"Ball2.bmp", FileKind::kBitmap, 1.0f, "the ball's surface, frame 2 of 6"},
    {"Ball3.bmp", FileKind::kBitmap, 1.0f, "the ball's surface, frame 3 of 6"},
    {"Ball4.bmp", FileKind::kBitmap, 1.0f, "the ball's surface, frame 4 of 6"},
    {"Ball5.bmp", FileKind::kBitmap, 1.0f, "the ball's surface, frame 5 of 6"},
    {"Ball6.bmp", FileKind::kBitmap, 1.0f, "the ball's surface, frame 6 of 6"},
    {"GData.tga", FileKind::kHeights, 1.0f, "the floor's 40x40 heights"},
    {"wall.wav", FileKind::kSound, 1.0f, "the ball off a side wall, panned to that side"},
    {"roof.wav", FileKind::kSound, 1.0f, "the ball off the glass roof"},
    {"near.wav", FileKind::kSound, 1.0f, "the ball at the near end, the player's paddle"},
    {"far.wav", FileKind::kSound, 1.0f, "the ball at the far end, the other paddle"},
};
