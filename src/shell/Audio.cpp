// Audio.cpp -- the desktop's start of the sound: the files, then the device
// with ALSA's own lines dropped and its start logged for the pacing runs.
#include "shell/Audio.h"

#include "shell/HeldStderr.h"
#include "shell/SoundFile.h"
#include "shell/TickLog.h"

namespace {
// ALSA's library writes its own lines to stderr while SDL tries one audio
// driver after another; the game's one line says what failed instead.
bool OpenQuietly() {
  HeldStderr libraryLines;
  const bool opened = OpenAudioDevice();
  if (opened) LogAudioStart();  // its thread runs from here, silent while paused
  libraryLines.Drop();
  return opened;
}
}  // namespace

void StartGameAudio() {
  LoadGameSounds();
  if (!OpenQuietly()) {
    ReportNoSound();
    return;
  }
  PauseGameAudio(false);
}
