// AudioDevice.h -- SDL's audio device over the mixer, as every platform opens
// it: the mixer's rate and format, a buffer of about 10 ms, and a callback
// that mixes gMixer. Without a device the game is silent, never stopped.
#pragma once

// Opens the default device, paused; false when SDL has no audio or no device
// (SDL_GetError says why). Call after SDL_Init.
bool OpenAudioDevice();
// After a failed open: the game's one line on stderr, and SDL's audio closed.
void ReportNoSound();
// A paused device stops calling the mixer and takes no CPU.
void PauseGameAudio(bool paused);
// Closes the device, if one was opened; safe to call more than once.
void StopGameAudio();
