// Generate.cpp -- courtball-data generate (placeholder until it is built).
#include <iostream>

#include "data/Commands.h"

void AddGenerateCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("generate", "not built yet");
  cmd->allow_extras();
  cmd->callback([&exitCode]() {
    std::cerr << "courtball-data generate: not built yet\n";
    exitCode = 0;
  });
}
