// Textures.cpp -- loads the eight scene bitmaps and uploads each as a
// mipmapped RGB texture; a bitmap the reader refuses ends the game.
#include "image/Textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

#include "image/BitmapImage.h"

unsigned int gTitleTexture = 0;
unsigned int gEnvMapTexture = 0;
unsigned int gBallTextures[6] = {0, 0, 0, 0, 0, 0};

namespace {

struct TextureFile {
  const char* name;
  unsigned int* texture;
};

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
  const TextureFile files[8] = {
      {"Title.bmp", &gTitleTexture},    {"envmap.bmp", &gEnvMapTexture},
      {"Ball1.bmp", &gBallTextures[0]}, {"Ball2.bmp", &gBallTextures[1]},
      {"Ball3.bmp", &gBallTextures[2]}, {"Ball4.bmp", &gBallTextures[3]},
      {"Ball5.bmp", &gBallTextures[4]}, {"Ball6.bmp", &gBallTextures[5]},
  };
  for (const TextureFile& file : files) {
    // The reader has already told the user why; the later files are not tried.
    std::unique_ptr<BitmapImage> image = LoadBitmapImage(file.name);
    if (!image) std::exit(1);
    UploadTexture(*image, *file.texture);
  }
}
