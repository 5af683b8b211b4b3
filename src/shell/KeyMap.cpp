// KeyMap.cpp -- SDL key codes to virtual-key values.
#include "shell/KeyMap.h"

#include <SDL_keycode.h>

namespace {
// Keys outside the printable range, with the values the desktop gives them.
struct NamedKey {
  int keycode;
  int virtualKey;
};
constexpr NamedKey kNamedKeys[] = {
    {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},       {SDLK_RETURN, 13},   {SDLK_ESCAPE, kKeyEscape},
    {SDLK_PAGEUP, 33},   {SDLK_PAGEDOWN, 34}, {SDLK_END, 35},      {SDLK_HOME, 36},
    {SDLK_LEFT, 37},     {SDLK_UP, 38},       {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},
    {SDLK_INSERT, 45},   {SDLK_DELETE, 46},   {SDLK_KP_ENTER, 13}, {SDLK_PAUSE, 19},
};

int VirtualKeyFromKeycode(int keycode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return keycode - SDLK_a + 'A';
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return keycode;
  if (keycode == SDLK_SPACE) return 32;
  for (const NamedKey& key : kNamedKeys) {
    if (key.keycode == keycode) return key.virtualKey;
  }
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return 112 + (keycode - SDLK_F1);
  return 0;
}
}  // namespace

int GameKeyFromKeyDown(int keycode, int modifiers) {
  if ((modifiers & KMOD_ALT) != 0) return 0;
  return VirtualKeyFromKeycode(keycode);
}
