// TickLog.h -- the tick times that courtball-timed writes for the pacing
// measurement. In the shipped game both calls compile to nothing.
#pragma once

#ifdef COURTBALL_TIMED
// Opens (truncates) the log; each tick then appends its start time in
// microseconds on the monotonic clock, one per line. The time the audio
// device started goes to the log's name plus ".audio", for the sound's test.
void OpenTickLog(const char* path);
void LogTickTime();
void LogAudioStart();
#else
inline void OpenTickLog(const char*) {}
inline void LogTickTime() {}
inline void LogAudioStart() {}
#endif
