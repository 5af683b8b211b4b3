// Main.cpp -- courtball-data: make, check, inspect and convert the game's files,
// and make its desktop icon.
#include "data/Commands.h"

int main(int argc, char** argv) {
  CLI::App app{"courtball-data: make, check and inspect courtball's data files"};
  app.require_subcommand(1);
  int exitCode = 0;
  AddGenerateCommand(app, exitCode);
  AddCheckCommand(app, exitCode);
  AddInspectCommand(app, exitCode);
  AddConvertCommand(app, exitCode);
  AddIconCommand(app, exitCode);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return code == 0 ? 0 : 2;
  }
  return exitCode;
}
