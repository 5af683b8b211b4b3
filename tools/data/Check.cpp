// Check.cpp -- courtball-data check (placeholder until it is built).
#include <iostream>

#include "data/Commands.h"

void AddCheckCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("check", "not built yet");
  cmd->allow_extras();
  cmd->callback([&exitCode]() {
    std::cerr << "courtball-data check: not built yet\n";
    exitCode = 1;
  });
}
