// ScreenRules.h -- how the game takes the screen it finds, where a pointer on
// that screen lands in the game's 1024x768 frame, and what it says when no
// screen can be had. Plain rules: no display needed to test them.
#pragma once
#include <string>
#include <vector>

enum class ScreenTaking {
  kModeSwitch,         // the display really switched to 1024x768, put back on exit
  kDesktopFullscreen,  // the desktop's own size; viewport and projection follow it
};

// A display mode's size, as the display lists it.
struct ScreenMode {
  int width, height;
};

// Whether the display lists exactly width x height: both sides, since a mode
// that shares one is still only the nearest.
bool ExactModeListed(const std::vector<ScreenMode>& modes, int width, int height);

// The real mode switch only where X11 or Windows lists the exact 1024x768
// mode. Given a mode it lacks, SDL takes the nearest and crops or boxes the
// picture, and Wayland only emulates modes by scaling, stretching 4:3 over
// the output.
ScreenTaking ChooseScreenTaking(const char* driver, bool exactModeListed);

// A pointer coordinate on a window extent long, in the frame of gameExtent
// the game input measures its limits in; negative ones stay negative.
int ToGameFrame(int coordinate, int extent, int gameExtent);

// The second line of a failed start, in a user's words: which display could
// not be reached, or that none is named, then SDL's own error if any.
std::string NoDisplayCause(const char* display, const char* waylandDisplay, const char* sdlError);
