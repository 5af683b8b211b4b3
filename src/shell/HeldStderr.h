// HeldStderr.h -- stderr held back while libraries complain, so that the
// game's own message about a failed start comes first.
#pragma once

// From construction, whatever is written to stderr is kept; Restore gives
// stderr back, Replay writes the kept lines after what came since, Drop
// forgets them. The destructor restores and replays what is still kept.
// Where last words go just before _exit: the real stderr while one is held,
// since the kept lines are never replayed then.
int UnheldStderr();

class HeldStderr {
 public:
  HeldStderr();
  ~HeldStderr();
  HeldStderr(const HeldStderr&) = delete;
  HeldStderr& operator=(const HeldStderr&) = delete;
  void Restore();
  void Replay();
  void Drop();

 private:
  int held_, saved_;  // the kept lines, the real stderr; -1 once replayed
};
