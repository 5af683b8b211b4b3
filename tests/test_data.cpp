// courtball-data as a user runs it: check's reports, and each command's messages and exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "BmpWriter.h"
#include "TestFiles.h"

namespace {
// Runs the tool: its exit code, and what it printed to stdout and stderr.
int RunTool(const std::string& arguments, std::string& out, std::string& err) {
  const std::string dir = MakeTempDir("tool");
  const int status = std::system(
      (COURTBALL_DATA_TOOL " " + arguments + " >" + dir + "/out 2>" + dir + "/err").c_str());
  out = ReadFile(dir + "/out");
  err = ReadFile(dir + "/err");
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A generated folder, made once by the tool itself.
const std::string& Generated() {
  static const std::string dir = [] {
    std::string d = MakeTempDir("generated") + "/data", out, err;
    EXPECT_EQ(RunTool("generate " + d, out, err), 0) << err;
    return d;
  }();
  return dir;
}

std::string SmallAse(int vertices, const std::string& face, bool normals) {
  std::string text;
  for (int i = 0; i < vertices; ++i) text += "*MESH_VERTEX " + std::to_string(i) + " 1 0 0\n";
  text += "*MESH_FACE 0: A: " + face + "\n";
  for (int i = 0; normals && i < 3; ++i)
    text += "*MESH_VERTEXNORMAL " + std::to_string(i) + " 0 0 1\n";
  return text;
}
// A PCM WAV file of silence: rate, channels and bits as given.
std::string SilentWav(int rate, int channels, int bits, int frames) {
  auto le = [](uint32_t v, int n) {
    std::string s;
    Put(s, v, n);
    return s;
  };
  const int block = channels * bits / 8, bytes = frames * block;
  return "RIFF" + le(36 + bytes, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(channels, 2) +
         le(rate, 4) + le(rate * block, 4) + le(block, 2) + le(bits, 2) + "data" + le(bytes, 4) +
         std::string(bytes, bits == 8 ? '\x80' : '\0');
}
}  // namespace

// Catches: a problem unreported or misreported, notes on the game's own files, wrong exit codes.
TEST(Tool, CheckReportsEachKindOfProblem) {
  std::string paddle = ReadFile(Generated() + "/Paddle.ase");
  paddle.insert(paddle.find("*MESH_NORMALS"), "*MESH_TVERT 0 0 0 0\n*MESH_TFACE 0 0 0 0\n");
  const struct {
    const char* file;
    std::string content;  // "-": the file is removed
    int code;
    const char* expected;
  } cases[] = {
      {"Roof.ase", ReadFile(Generated() + "/Roof.ase"), 0,
       "Paddle.ase:    774 vertices, 1256 faces"},
      {"case.ase", "-", 0, "case.ase:      missing"},
      {"GData.tga", "-", 0, "flat, every height -30"},
      {"Ball3.bmp", "-", 1, "Failed to open DIB file Ball3.bmp."},
      {"envmap.bmp", Build(Bmp(100, 60, 24, Bytes(18000))), 0, "powers of two"},
      {"Paddle.ase", SmallAse(3, "0 B: 1 C: 7", true), 0,
       "drawn at the origin (face 0 names vertex 7)"},
      {"Paddle.ase", SmallAse(3, "0 B: 2500 C: 1", true), 0, "1999 and are never drawn (face 0"},
      {"LeftWall.ase", SmallAse(2001, "0 B: 1 C: 2", true), 0, "at capacity: 2000 vertices"},
      {"Paddle.ase", paddle, 0, "774 vertices have no normal: its texture lists end the reading"},
      {"Roof.ase", SmallAse(3, "0 B: 1 C: 2", false), 0, "3 vertices have no normal: the file"},
      {"ball.ase", SmallAse(3, "0 B: 1 C: 2", true), 0, "3 vertices have no texture coordinate"},
      {"Roof.ase", "*MESH_VERTEX 0 1 1 1", 0, "no faces"},
      {"GData.tga", std::string(100, '\x40'), 0, "shorter than 1600 bytes"},
      {"GData.tga", std::string(1600, '\x40'), 0, "not a 40x40 8-bit greyscale TGA"},
      {"roof.wav", SilentWav(22050, 2, 8, 11025), 0, "0.50 s, 22050 Hz, 8-bit, 2 channels"},
      {"far.wav", SilentWav(8000, 1, 16, 24000), 0,
       "longer than 2 s: the game plays the first 2 s"},
  };
  for (const auto& c : cases) {
    const std::string dir = MakeTempDir("check");
    std::filesystem::copy(Generated(), dir);
    std::filesystem::remove(dir + "/" + c.file);
    if (c.content != "-") WriteFile(dir + "/" + c.file, c.content);
    std::string out, err;
    EXPECT_EQ(RunTool("check " + dir, out, err), c.code) << out << err;
    EXPECT_NE(out.find(c.expected), std::string::npos) << out;
    EXPECT_EQ(out.find("\n    ") == std::string::npos, &c == cases) << out;  // notes indented
    EXPECT_EQ(err.find("the game cannot use a file of") != std::string::npos, c.code != 0);
  }
}

// Catches: a command's failure not reported, or given the wrong exit code.
TEST(Tool, EachCommandsFailuresAndTheirExitCodes) {
  const std::string dir = MakeTempDir("tool-run");
  WriteFile(dir + "/file", "x");
  WriteFile(dir + "/bad.bmp", "BM0123456789abcdefghijklmnopqrstuvwxyz");
  const struct {
    std::string arguments;
    int code;
    const char* text;  // on stderr
  } runs[] = {
      {"generate " + dir + "/file/sub", 1, "file/sub"},
      {"generate", 2, "DIR is required"},
      {"check " + dir + "/nowhere", 2, "nowhere"},
      {"convert " + dir + "/bad.bmp " + dir + "/bad.png", 1, "Unknown DIB file format."},
      {"convert " + dir + "/bad.bmp " + dir + "/bad.jpg", 2, "must end in .png or .ppm"},
      {"inspect " + dir + "/missing.ase", 1, "cannot open"},
      {"inspect --scale abc " + dir + "/file", 2, "abc"},
      {"icon 512 " + dir + "/big.ico", 2, "at most 256"},
  };
  for (const auto& r : runs) {
    std::string out, err;
    EXPECT_EQ(RunTool(r.arguments, out, err), r.code) << r.arguments << "\n" << err;
    EXPECT_NE(err.find(r.text), std::string::npos) << r.arguments << "\n" << err;
  }
}

// Catches: a picture written bottom row first, blue and red swapped, no PNG written.
TEST(Tool, ConvertWritesThePictureUpright) {
  const std::string dir = MakeTempDir("convert");
  WriteFile(dir + "/two.bmp", Build(Bmp(1, 2, 24, {3, 2, 1, 0, 6, 5, 4, 0})));  // bottom row first
  std::string out, err;
  ASSERT_EQ(RunTool("convert " + dir + "/two.bmp " + dir + "/two.ppm", out, err), 0) << err;
  EXPECT_EQ(ReadFile(dir + "/two.ppm"), std::string("P6\n1 2\n255\n\4\5\6\1\2\3", 17));
  ASSERT_EQ(RunTool("convert " + dir + "/two.bmp " + dir + "/two.png", out, err), 0) << err;
}

// Catches: a Windows icon's directory pointing into or past its pictures, a size's picture
// under another size's entry.
TEST(Tool, WindowsIconHoldsEachSizeAsAPng) {
  const std::string path = MakeTempDir("icon") + "/courtball.ico";
  std::string out, err;
  ASSERT_EQ(RunTool("icon 256 " + path, out, err), 0) << err;
  const std::string ico = ReadFile(path);
  const auto number = [&](size_t at, int bytes, bool big) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
      value = value << 8 | static_cast<unsigned char>(ico.at(at + (big ? i : bytes - 1 - i)));
    return value;
  };
  ASSERT_EQ(number(4, 2, false), 4u);
  const uint32_t sizes[] = {16, 32, 48, 256};
  size_t next = 6 + 4 * 16;  // each picture right after the directory and the one before
  for (int i = 0; i < 4; ++i) {
    const size_t entry = 6 + 16 * i;
    EXPECT_EQ(number(entry, 1, false), sizes[i] % 256);
    ASSERT_EQ(number(entry + 12, 4, false), next) << sizes[i];
    EXPECT_EQ(ico.substr(next, 8), "\x89PNG\r\n\x1a\n") << sizes[i];
    EXPECT_EQ(number(next + 16, 4, true), sizes[i]);  // the PNG's own width
    next += number(entry + 8, 4, false);
  }
  EXPECT_EQ(next, ico.size());
}

// Catches: numbers not as %.9g or not JSON past float range, a stale generator, CR LF.
TEST(Tool, InspectPrintsTheLoadedModelAsJson) {
  const std::string dir = MakeTempDir("inspect");
  WriteFile(dir + "/m.ase",
            "*MESH_VERTEX 0 1.5 2 3\r\n*MESH_VERTEX 1 0.1 1e30 -0.0\r\n"
            "*MESH_FACE 0: A: 0 B: 1 C: 7000\r\n*MESH_VERTEXNORMAL 0 0 0 1\r\n");
  std::string out, err;
  ASSERT_EQ(RunTool("inspect --scale 3.9 " + dir + "/m.ase", out, err), 0) << err;
  const nlohmann::json j = nlohmann::json::parse(out);
  EXPECT_EQ(j["vertexCount"], 2);
  EXPECT_EQ(j["faces"][0][2], 7000);
  EXPECT_EQ(j["normals"][0][1], -1.0);
  EXPECT_EQ(j["texVertices"].size(), 0u);
  for (const char* text : {"[[5.85000038,7.80000019,11.7000008],[0.390000015,3.90000013e+30,-0]]",
                           ",0.839215696,0.839215696,0.839215696,1]"}) {
    EXPECT_NE(out.find(text), std::string::npos) << text << "\n" << out;
  }
  ASSERT_EQ(RunTool("inspect --scale 1e20 " + dir + "/m.ase", out, err), 0);
  EXPECT_TRUE(nlohmann::json::parse(out)["vertices"][1][1].is_null());
}
