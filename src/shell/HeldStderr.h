// HeldStderr.h -- stderr held back while libraries complain, so that the
// game's own message about a failed start comes first.
#pragma once

// From construction, whatever is written to stderr is kept; Restore gives
// stderr back, Replay writes the kept lines after what came since. The
// destructor does both.
class HeldStderr {
 public:
  HeldStderr();
  ~HeldStderr();
  HeldStderr(const HeldStderr&) = delete;
  HeldStderr& operator=(const HeldStderr&) = delete;
  void Restore();
  void Replay();

 private:
  int held_, saved_;  // the kept lines, the real stderr; -1 once replayed
};
