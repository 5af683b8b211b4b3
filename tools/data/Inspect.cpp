// Inspect.cpp -- courtball-data inspect (placeholder until it is built).
#include <iostream>

#include "data/Commands.h"

void AddInspectCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("inspect", "not built yet");
  cmd->allow_extras();
  cmd->callback([&exitCode]() {
    std::cerr << "courtball-data inspect: not built yet\n";
    exitCode = 1;
  });
}
