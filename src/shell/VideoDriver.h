// VideoDriver.h -- whether the video driver SDL settled on is a real display.
#pragma once

// With no display SDL falls back to drivers that draw nowhere ("offscreen",
// "dummy"); the game would then run unseen until killed. Such a driver is
// accepted only when the SDL_VIDEODRIVER request (a comma-separated list,
// may be null) names it.
bool VideoDriverAccepted(const char* driver, const char* requested);
