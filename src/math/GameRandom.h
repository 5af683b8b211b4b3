// GameRandom.h -- the game's one pseudo-random source: the classic runtime
// generator, never seeded, so every run draws the same sequence.
#pragma once

// Next value, 0..32767.
int GameRandom();
// Puts the generator back to its start state (for tests and tools).
void ResetGameRandom();
