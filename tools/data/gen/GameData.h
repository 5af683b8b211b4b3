// GameData.h -- the game's 15 data files: made from code, written to a folder,
// and checked with the game's own readers.
#pragma once
#include <ostream>
#include <string>
#include <vector>

struct DataFile {
  std::string name;
  std::string bytes;
};

// The files' names, meshes first, then bitmaps, then the floor.
const std::vector<std::string>& GameDataFileNames();
// Every file's bytes; the same on every run.
std::vector<DataFile> BuildGameData();
// Writes them into dir (created if missing); false with a reason on failure.
bool WriteGameData(const std::string& dir, std::string& error);
// Loads each file of dir as the game would and prints one line per file,
// with warnings below it. Returns 1 when the game could not use a file.
int CheckGameData(const std::string& dir, std::ostream& out);
