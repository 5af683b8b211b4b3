// ErrorMessage.h -- the one sink for messages the user must see. The default
// writes to stderr; the shell adds a message box; tests install a recorder.
#pragma once
#include <string>

using ErrorMessageHandler = void (*)(const std::string& text);

// Shows text through the installed handler (stderr when none is installed).
void ShowErrorMessage(const std::string& text);
// Installs a handler; nullptr restores the stderr default. Returns the old one.
ErrorMessageHandler SetErrorMessageHandler(ErrorMessageHandler handler);
// The default handler: the text on stderr, with a line break if it lacks one.
void WriteErrorToStderr(const std::string& text);
