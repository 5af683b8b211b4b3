// GameData.h -- the game's 19 data files (court/GameFiles.h), made from code
// and written to a folder.
#pragma once
#include <string>
#include <vector>

struct GeneratedFile {
  std::string name;
  std::string bytes;
};

// Every file of the table with its bytes, in the table's order; the same
// bytes on every run.
std::vector<GeneratedFile> BuildGameData();
// Writes them into dir (created if missing); false with a reason on failure.
bool WriteGameData(const std::string& dir, std::string& error);
