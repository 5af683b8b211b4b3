// Generate.cpp -- courtball-data generate DIR: writes the game's 19 data files.
#include <iostream>
#include <string>

#include "data/Commands.h"
#include "data/gen/GameData.h"

void AddGenerateCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("generate", "write the game's 19 data files into DIR");
  auto dir = std::make_shared<std::string>();
  cmd->add_option("DIR", *dir, "folder to write into (created if missing)")->required();
  cmd->callback([dir, &exitCode]() {
    std::string error;
    if (!WriteGameData(*dir, error)) {
      std::cerr << "courtball-data generate: " << error << "\n";
      exitCode = 1;
      return;
    }
    exitCode = 0;
  });
}
