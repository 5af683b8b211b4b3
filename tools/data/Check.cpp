// Check.cpp -- courtball-data check DIR: the data files as the game reads them.
#include <iostream>
#include <string>

#include "data/Commands.h"
#include "data/check/DataCheck.h"

void AddCheckCommand(CLI::App& app, int& exitCode) {
  auto* cmd =
      app.add_subcommand("check", "load DIR's data files with the game's readers and report");
  auto dir = std::make_shared<std::string>();
  cmd->add_option("DIR", *dir, "folder holding the data files")
      ->required()
      ->check(CLI::ExistingDirectory);
  cmd->callback([dir, &exitCode]() {
    exitCode = CheckGameData(*dir, std::cout);
    if (exitCode != 0)
      std::cerr << "courtball-data check: the game cannot use a file of " << *dir << "\n";
  });
}
