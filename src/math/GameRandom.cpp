// GameRandom.cpp -- state = state * 214013 + 2531011 (mod 2^32), bits 16..30.
#include "math/GameRandom.h"

#include <cstdint>

namespace {
uint32_t gRandomState = 1;
}

int GameRandom() {
  gRandomState = gRandomState * 214013u + 2531011u;
  return static_cast<int>((gRandomState >> 16) & 0x7fffu);
}

void ResetGameRandom() { gRandomState = 1; }
