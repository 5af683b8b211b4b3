// Textures.cpp -- loads the eight scene bitmaps and uploads each as a
// mipmapped RGB texture; a bitmap the reader refuses ends the game.
#include "image/Textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

#include "court/GameFiles.h"
#include "image/BitmapImage.h"

unsigned int gTitleTexture = 0;
unsigned int gEnvMapTexture = 0;
unsigned int gBallTextures[kBallBitmapCount] = {};

namespace {
// The eight names in the order the files load.
unsigned int* const kTextureNames[] = {&gTitleTexture,    &gEnvMapTexture,   &gBallTextures[0],
                                       &gBallTextures[1], &gBallTextures[2], &gBallTextures[3],
                                       &gBallTextures[4], &gBallTextures[5]};

void UploadTexture(const BitmapImage& image, unsigned int& texture) {
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  // Our rows are packed tight (width * 3 bytes); the default alignment of 4
  // would skew every row of a picture whose width is not a multiple of 4.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                    image.data.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

}  // namespace

void LoadTextures() {
  // Title card, environment map, then the ball's frames: the files' order in
  // the table, and the order in which the game reads them.
  static_assert(kEnvMapBitmap == kTitleBitmap + 1 && kBallBitmap1 == kTitleBitmap + 2);
  int file = kTitleBitmap;
  for (unsigned int* name : kTextureNames) {
    // The reader has already told the user why; the later files are not tried.
    std::unique_ptr<BitmapImage> image = LoadBitmapImage(kGameFiles[file++].name);
    if (!image) std::exit(1);
    UploadTexture(*image, *name);
  }
}

void UnloadTextures() {
  for (unsigned int* name : kTextureNames) {
    glDeleteTextures(1, name);
    *name = 0;
  }
}
