// The eight scene textures: names in table order, filters, tightly packed
// rows, and the end of the game at the first bitmap the reader refuses.
#include <GL/gl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "GlHarness.h"
#include "TestFiles.h"
#include "image/Textures.h"

namespace {

const char* const kFiles[8] = {"Title.bmp", "envmap.bmp", "Ball1.bmp", "Ball2.bmp",
                               "Ball3.bmp", "Ball4.bmp",  "Ball5.bmp", "Ball6.bmp"};

// A 24-bit bitmap from R G B rows, bottom row first.
std::string Bmp24(int width, int height, const std::vector<unsigned char>& rgb) {
  const int stride = (width * 3 + 3) & ~3;
  std::string s = "BM";
  auto put = [&s](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((v >> (8 * i)) & 255);
  };
  put(54 + stride * height, 4);
  put(0, 4);
  put(54, 4);
  for (uint32_t v : {40u, uint32_t(width), uint32_t(height)}) put(v, 4);
  put(1, 2);
  put(24, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      s += {static_cast<char>(p[2]), static_cast<char>(p[1]), static_cast<char>(p[0])};
    }
    s.append(stride - width * 3, '\0');
  }
  return s;
}

// File i's picture: 2 x 2 (6-byte rows: a wrong unpack alignment skews them),
// four colours that no other file uses.
std::vector<unsigned char> Picture(int i) {
  std::vector<unsigned char> rgb;
  for (int p = 0; p < 4; ++p) {
    for (int c = 0; c < 3; ++c) rgb.push_back(static_cast<unsigned char>(i * 30 + p * 7 + c));
  }
  return rgb;
}

std::string WriteTextureFiles(const char* skip) {
  const std::string dir = MakeTempDir("textures");
  for (int i = 0; i < 8; ++i) {
    if (std::string(kFiles[i]) != skip) WriteFile(dir + "/" + kFiles[i], Bmp24(2, 2, Picture(i)));
  }
  return dir;
}

std::vector<unsigned int> TextureNames() {
  std::vector<unsigned int> names = {gTitleTexture, gEnvMapTexture};
  names.insert(names.end(), gBallTextures, gBallTextures + 6);
  return names;
}

// The file names that were opened in the watched folder.
std::set<std::string> OpenedNames(int watch) {
  std::set<std::string> names;
  alignas(inotify_event) char buffer[4096];
  ssize_t got;
  while ((got = read(watch, buffer, sizeof buffer)) > 0) {
    for (char* p = buffer; p < buffer + got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(p);
      if (event->len > 0) names.insert(event->name);
      p += sizeof(inotify_event) + event->len;
    }
  }
  return names;
}

}  // namespace

class TexturesTest : public GlTest {};

TEST_F(TexturesTest, EightNamesInTableOrderEachWithItsPicture) {
  ScopedWorkingDir cwd(WriteTextureFiles(""));
  LoadTextures();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  GLint value = 0;  // the last texture made stays bound; the alignment is put back
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
  EXPECT_EQ(static_cast<unsigned int>(value), gBallTextures[5]);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &value);
  EXPECT_EQ(value, 4);
  const std::vector<unsigned int> names = TextureNames();
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(kFiles[i]);
    EXPECT_NE(names[i], 0u);
    if (i > 0) {
      EXPECT_GT(names[i], names[i - 1]);
    }
    glBindTexture(GL_TEXTURE_2D, names[i]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR_MIPMAP_NEAREST);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 1) << "mipmap level 1";
    std::vector<unsigned char> level0(12);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, level0.data());
    EXPECT_EQ(level0, Picture(i));
  }
}

TEST_F(TexturesTest, SidesThatAreNotPowersOfTwoAreScaled) {
  const std::string dir = WriteTextureFiles("");
  std::vector<unsigned char> orange;
  for (int p = 0; p < 100 * 60; ++p) orange.insert(orange.end(), {250, 120, 10});
  WriteFile(dir + "/Title.bmp", Bmp24(100, 60, orange));
  ScopedWorkingDir cwd(dir);
  LoadTextures();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  glBindTexture(GL_TEXTURE_2D, gTitleTexture);
  GLint width = 0;
  GLint height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  EXPECT_EQ(width, 128);
  EXPECT_EQ(height, 64);
  std::vector<unsigned char> level0(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, level0.data());
  EXPECT_TRUE(Near(Rgb{level0[0], level0[1], level0[2]}, Rgb{250, 120, 10}, 1));
}

TEST_F(TexturesTest, MissingBall3EndsTheGameBeforeBall4IsOpened) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  // The death-test child runs this body afresh: it finds the parent's folder
  // through the environment, and only the parent watches who opens what.
  const char* kDirVariable = "COURTBALL_TEXTURE_TEST_DIR";
  const char* shared = std::getenv(kDirVariable);
  const std::string dir = shared != nullptr ? shared : WriteTextureFiles("Ball3.bmp");
  int watch = -1;
  if (shared == nullptr) {
    setenv(kDirVariable, dir.c_str(), 1);
    watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, dir.c_str(), IN_OPEN), 0);
  }
  EXPECT_EXIT(
      {
        ScopedWorkingDir cwd(dir);
        LoadTextures();
      },
      ::testing::ExitedWithCode(1), "Failed to open DIB file Ball3\\.bmp\\.\n");
  unsetenv(kDirVariable);
  const std::set<std::string> opened = OpenedNames(watch);
  close(watch);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(opened.count(kFiles[i]), i < 4 ? 1u : 0u) << kFiles[i];
}
