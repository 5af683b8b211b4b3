// PageSound.h -- the game's sound in the page: the desktop's sound files,
// mixer and SDL audio device, opened on the player's first key, click or
// touch, since browsers start sound only then.
#pragma once

// Loads the sound files. With mixTicks above 0 no device is ever opened:
// the mixed sound of the first mixTicks ticks goes to the page instead, one
// tick's 20 ms after each tick, as courtball-capture --wav writes it.
void StartPageSound(int mixTicks);
// A key, click or touch: the first opens the device, or says it cannot.
void HearGesture();
// After each step: while no device plays, the step's sound is mixed here,
// so the first sound heard is a fresh one, not a queue of old bounces.
void MixPageTick(int tick);
// A hidden page's device stops calling the mixer.
void PausePageSound(bool paused);
// Tells the page whether the sound waits, plays, is muted or cannot play.
void TellPageSound();
