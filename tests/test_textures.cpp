// The eight scene textures: names in table order, filters, tightly packed
// rows, and the end of the game at the first bitmap the reader refuses.
#include <GL/gl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <string>

#include "BmpWriter.h"
#include "GlHarness.h"
#include "GlState.h"
#include "TestFiles.h"
#include "image/Textures.h"

namespace {

const char* const kFiles[8] = {"Title.bmp", "envmap.bmp", "Ball1.bmp", "Ball2.bmp",
                               "Ball3.bmp", "Ball4.bmp",  "Ball5.bmp", "Ball6.bmp"};

// File i's picture: 2 x 2 (6-byte rows: a wrong unpack alignment skews them),
// four colours that no other file uses.
Bytes Picture(int i) {
  Bytes rgb;
  for (int p = 0; p < 4; ++p) {
    for (int c = 0; c < 3; ++c) rgb.push_back(static_cast<unsigned char>(i * 30 + p * 7 + c));
  }
  return rgb;
}

std::string WriteTextureFiles(const char* skip) {
  const std::string dir = MakeTempDir("textures");
  for (int i = 0; i < 8; ++i) {
    if (std::string(kFiles[i]) != skip) {
      WriteFile(dir + "/" + kFiles[i], Build(TrueColour(2, 2, Picture(i))));
    }
  }
  return dir;
}

// Level 0 of the bound texture, R G B rows packed tight.
Bytes Level0(int width, int height) {
  Bytes rgb(static_cast<size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
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
  // The last texture made stays bound; the unpack alignment is put back.
  EXPECT_EQ(GLuint(GlRead(glGetIntegerv, GL_TEXTURE_BINDING_2D)), gBallTextures[5]);
  EXPECT_EQ(GlRead(glGetIntegerv, GL_UNPACK_ALIGNMENT), 4);
  const unsigned int names[8] = {gTitleTexture,    gEnvMapTexture,   gBallTextures[0],
                                 gBallTextures[1], gBallTextures[2], gBallTextures[3],
                                 gBallTextures[4], gBallTextures[5]};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(kFiles[i]);
    EXPECT_TRUE(names[i] != 0 && (i == 0 || names[i] > names[i - 1]));
    glBindTexture(GL_TEXTURE_2D, names[i]);
    EXPECT_EQ(GlRead(glGetTexParameteriv, GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(GlRead(glGetTexParameteriv, GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER),
              GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(GlRead(glGetTexLevelParameteriv, GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH), 1)
        << "mipmap level 1";
    EXPECT_EQ(Level0(2, 2), Picture(i));
  }
}

TEST_F(TexturesTest, SidesThatAreNotPowersOfTwoAreScaled) {
  const std::string dir = WriteTextureFiles("");
  Bytes orange;
  for (int p = 0; p < 100 * 60; ++p) orange.insert(orange.end(), {250, 120, 10});
  WriteFile(dir + "/Title.bmp", Build(TrueColour(100, 60, orange)));
  ScopedWorkingDir cwd(dir);
  LoadTextures();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  glBindTexture(GL_TEXTURE_2D, gTitleTexture);
  ASSERT_EQ(GlRead(glGetTexLevelParameteriv, GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 128);
  ASSERT_EQ(GlRead(glGetTexLevelParameteriv, GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 64);
  const Bytes level0 = Level0(128, 64);
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
