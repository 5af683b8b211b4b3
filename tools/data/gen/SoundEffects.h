// SoundEffects.h -- the game's four sounds, synthesised: a glassy tick for a
// side wall, a higher ring for the roof, a full knock at the near end and a
// duller, quieter one at the far end.
#pragma once
#include <string>

#include "court/GameFiles.h"

// The WAV bytes (16-bit mono at the mixer's rate) of a sound file of the table.
std::string EncodeSoundEffect(GameFileId id);
