// Audio.h -- the desktop's sound: the sound files into the mixer and the
// audio device opened with the library's own complaints held back.
#pragma once
#include "shell/AudioDevice.h"

// Loads the sounds and starts the device. A file or a device that fails
// costs one line on stderr, never the game. Call once, after SDL_Init.
void StartGameAudio();
