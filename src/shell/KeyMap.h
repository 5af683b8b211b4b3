// KeyMap.h -- SDL key codes turned into the virtual-key values the game
// input understands (Space 32, letters their capital ASCII code).
#pragma once

constexpr int kKeyEscape = 27;

// The virtual-key value of a key-down for the game, Esc included; 0 for keys
// the game has no value for, so no unrelated key can ever pass as Space or
// R, and 0 while Alt is held: such keys are the desktop's.
int GameKeyFromKeyDown(int keycode, int modifiers);
