// ErrorMessage.cpp -- the error sink and its stderr default.
#include "platform/ErrorMessage.h"

#include <cstdio>

namespace {
ErrorMessageHandler gErrorHandler = nullptr;
}

void WriteErrorToStderr(const std::string& text) {
  std::fputs(text.c_str(), stderr);
  if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
  std::fflush(stderr);
}

void ShowErrorMessage(const std::string& text) {
  if (gErrorHandler) {
    gErrorHandler(text);
  } else {
    WriteErrorToStderr(text);
  }
}

ErrorMessageHandler SetErrorMessageHandler(ErrorMessageHandler handler) {
  ErrorMessageHandler old = gErrorHandler;
  gErrorHandler = handler;
  return old;
}
