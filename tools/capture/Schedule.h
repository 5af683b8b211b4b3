// Schedule.h -- parsing of courtball-capture's input schedules: key presses
// ("30:R,60:Space"), mouse positions ("40:100:200"), the pad's stick held
// from a tick on ("40:-32768:0") and its buttons ("50:A") fed before given
// ticks, and frame lists ("1,50,200").
#pragma once
#include <string>
#include <vector>

#include "shell/core/PadInput.h"

struct ScheduledKey {
  int tick;
  int key;  // virtual-key value: Space 32, letters their capital
};

struct ScheduledMouse {
  int tick;
  int x, y;
};

struct ScheduledPad {
  int tick;
  int x, y;  // the stick, -32768..32767 each, held until the next entry
};

struct ScheduledButton {
  int tick;
  PadButton button;
};

// Each returns false and sets error on a malformed entry.
bool ParseKeySchedule(const std::string& text, std::vector<ScheduledKey>& out, std::string& error);
bool ParseMouseSchedule(const std::string& text, std::vector<ScheduledMouse>& out,
                        std::string& error);
bool ParsePadSchedule(const std::string& text, std::vector<ScheduledPad>& out, std::string& error);
bool ParsePadButtons(const std::string& text, std::vector<ScheduledButton>& out,
                     std::string& error);
bool ParseFrameList(const std::string& text, std::vector<int>& out, std::string& error);
// For CLI11's check of a list option: a message when the list given is empty.
std::string RefuseEmptyList(const std::string& text);
// False and error set when an entry names a tick past the run's last one: a
// frame that is never drawn, an input that is never fed.
bool CheckLastTick(int lastTick, const std::vector<ScheduledKey>& keys,
                   const std::vector<ScheduledMouse>& mouse, const std::vector<ScheduledPad>& pad,
                   const std::vector<ScheduledButton>& buttons, const std::vector<int>& frames,
                   std::string& error);
