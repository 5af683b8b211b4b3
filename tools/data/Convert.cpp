// Convert.cpp -- courtball-data convert (placeholder until it is built).
#include <iostream>

#include "data/Commands.h"

void AddConvertCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("convert", "not built yet");
  cmd->allow_extras();
  cmd->callback([&exitCode]() {
    std::cerr << "courtball-data convert: not built yet\n";
    exitCode = 1;
  });
}
