// SoundFile.h -- the sound files read as the game reads every data file
// (regular files only, a bounded read), decoded by SDL from memory and
// turned into the mixer's clips. Needs no SDL start-up and no audio device.
#pragma once
#include <string>

#include "sound/Mixer.h"

// Larger files are refused unread: the game's sounds are short.
constexpr unsigned long kMaxSoundFileBytes = 4u << 20;

// What a file held before it became a clip, for courtball-data check.
struct SoundFileFacts {
  int rate = 0, channels = 0, bits = 0;
  double seconds = 0.0;  // of the clip as the game plays it
  bool cut = false;      // longer than the game plays
};

// Loads path into clip (mono, kSoundRate, at most kMaxClipFrames); false with
// the reason, and clip left empty, when the file is missing or not a sound.
bool LoadSoundClip(const char* path, SoundClip& clip, std::string& error,
                   SoundFileFacts* facts = nullptr);
// Fills gMixer's clips from the data files of court/GameFiles.h in the working
// directory. A file it cannot use stays silent and costs one line on stderr.
void LoadGameSounds();
