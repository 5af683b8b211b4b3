// VideoDriver.cpp -- which video drivers count as a display.
#include "shell/VideoDriver.h"

#include <strings.h>

#include <cstring>

namespace {
bool DrawsNowhere(const char* driver) {
  return strcasecmp(driver, "offscreen") == 0 || strcasecmp(driver, "dummy") == 0;
}

// True when the comma-separated list names driver (case does not matter).
bool ListNames(const char* list, const char* driver) {
  const std::size_t length = std::strlen(driver);
  for (const char* item = list; *item != '\0';) {
    const char* end = std::strchr(item, ',');
    const std::size_t itemLength = end ? static_cast<std::size_t>(end - item) : std::strlen(item);
    if (itemLength == length && strncasecmp(item, driver, length) == 0) return true;
    if (!end) break;
    item = end + 1;
  }
  return false;
}
}  // namespace

bool VideoDriverAccepted(const char* driver, const char* requested) {
  if (driver == nullptr || *driver == '\0') return false;
  if (!DrawsNowhere(driver)) return true;
  return requested != nullptr && ListNames(requested, driver);
}
