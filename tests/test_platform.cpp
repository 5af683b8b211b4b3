// Data files: their bytes exactly as stored, by any name, and only from regular files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestFiles.h"
#include "platform/DataFile.h"

namespace {
std::string ReadAt(const DataFile& file, uint64_t at, size_t n) {
  std::string got(n, '\0');
  got.resize(file.ReadAt(at, got.data(), n));
  return got;
}
}  // namespace

// Catches: text-mode reads (line ends turned into "\n", ^Z taken as the end), offsets
// ignored, a read past the end that returns anything.
TEST(DataFile, BytesComeBackAsStored) {
  const std::string bytes("a\r\nb\x1a\r\n\0z", 9);
  const std::string path = MakeTempDir("data-file") + "/bytes.tga";
  WriteFile(path, bytes);
  DataFile file(path.c_str());
  EXPECT_EQ(file.size, bytes.size());
  const struct {
    uint64_t at;
    size_t n;
    std::string want;
  } reads[] = {{0, 9, bytes}, {4, 3, "\x1a\r\n"}, {7, 10, std::string("\0z", 2)}, {9, 1, ""}};
  for (const auto& r : reads) EXPECT_EQ(ReadAt(file, r.at, r.n), r.want) << "at " << r.at;
}

// Catches: a UTF-8 name read in another code page; a folder or a missing file opened.
TEST(DataFile, UnicodeNamesAndOnlyRegularFiles) {
  const std::string dir = MakeTempDir("data-file");
  const std::string name = dir + "/court \xc3\xa9t\xc3\xa9 \xe7\x90\x83.ase";  // "court été 球"
  std::ofstream(std::filesystem::u8path(name), std::ios::binary) << "xyz";
  EXPECT_EQ(ReadAt(DataFile(name.c_str()), 0, 8), "xyz");
  for (const std::string& path : {dir, dir + "/missing.ase", std::string()}) {
    const DataFile none(path.c_str());
    EXPECT_FALSE(none.IsOpen()) << path;
    EXPECT_EQ(ReadAt(none, 0, 4), "") << path;
  }
}
