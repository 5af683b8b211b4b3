// Audio.h -- the game's sound on SDL's audio: the sound files into the mixer,
// and a device whose callback mixes. Without a device the game is silent.
#pragma once

// Loads the sounds and opens the default device with a buffer of about
// 10 ms. A file or a device that fails costs one line on stderr, never the
// game. Call once, after SDL_Init.
void StartGameAudio();
// Closes the device, if one was opened; safe to call more than once.
void StopGameAudio();
// A minimized game's device stops calling the mixer, so it takes no CPU.
void PauseGameAudio(bool paused);
