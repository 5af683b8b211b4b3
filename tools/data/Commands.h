// Commands.h -- the subcommands of courtball-data, each in a file of its own.
// Each Add function registers its subcommand; the callback sets the exit code.
#pragma once
#include <CLI/CLI.hpp>

// Exit codes: 0 success, 1 a reported failure, 2 bad arguments.
void AddGenerateCommand(CLI::App& app, int& exitCode);
void AddCheckCommand(CLI::App& app, int& exitCode);
void AddInspectCommand(CLI::App& app, int& exitCode);
void AddConvertCommand(CLI::App& app, int& exitCode);
void AddIconCommand(CLI::App& app, int& exitCode);
