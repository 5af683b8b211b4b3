// DataCheck.h -- courtball-data check: the data files of a folder as the
// game's own readers see them.
#pragma once
#include <ostream>
#include <string>

// Loads each file of the table from dir as the game would and prints one line
// per file, with warnings below it. Returns 1 when the game could not use a file.
int CheckGameData(const std::string& dir, std::ostream& out);
