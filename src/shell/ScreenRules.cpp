// ScreenRules.cpp -- the exact mode, the screen's taking, the pointer, a failed start's cause.
#include "shell/ScreenRules.h"

#include <strings.h>

#include <cstdint>

namespace {
bool Named(const char* text) { return text != nullptr && *text != '\0'; }
}  // namespace

bool ExactModeListed(const std::vector<ScreenMode>& modes, int width, int height) {
  for (const ScreenMode& mode : modes) {
    if (mode.width == width && mode.height == height) return true;
  }
  return false;
}

ScreenTaking ChooseScreenTaking(const char* driver, bool exactModeListed) {
  const bool x11 = driver != nullptr && strcasecmp(driver, "x11") == 0;
  const bool windows = driver != nullptr && strcasecmp(driver, "windows") == 0;
  return (x11 || windows) && exactModeListed ? ScreenTaking::kModeSwitch
                                             : ScreenTaking::kDesktopFullscreen;
}

int ToGameFrame(int coordinate, int extent, int gameExtent) {
  if (extent <= 0 || extent == gameExtent) return coordinate;
  return static_cast<int>(static_cast<std::int64_t>(coordinate) * gameExtent / extent);
}

std::string NoDisplayCause(const char* display, const char* waylandDisplay, const char* sdlError) {
  const std::string x11 = Named(display) ? std::string("the display '") + display + "'" : "";
  const std::string wayland =
      Named(waylandDisplay) ? std::string("the Wayland display '") + waylandDisplay + "'" : "";
  std::string cause;
  if (x11.empty() && wayland.empty()) {
    cause = "no display: neither DISPLAY nor WAYLAND_DISPLAY is set";
  } else if (!x11.empty() && !wayland.empty()) {
    cause = "neither " + x11 + " nor " + wayland + " can be reached";
  } else {
    cause = x11 + wayland + " cannot be reached";
  }
  if (Named(sdlError)) cause += std::string(" (SDL: ") + sdlError + ")";
  return cause;
}
