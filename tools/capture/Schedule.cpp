// Schedule.cpp -- strict parsing of comma-separated schedule entries.
#include "capture/Schedule.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

#include "shell/core/GameInput.h"

namespace {
std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.push_back("");
  return parts;
}

// A whole decimal integer, optionally negative; nothing else.
bool ParseInt(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  size_t start = (text[0] == '-') ? 1 : 0;
  if (start == text.size()) return false;
  for (size_t i = start; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  value = std::atoi(text.c_str());
  return true;
}

bool ParseKeyName(const std::string& name, int& key) {
  if (name == "Space" || name == "space") {
    key = kKeySpace;
    return true;
  }
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    key = std::toupper(static_cast<unsigned char>(name[0]));
    return true;
  }
  return false;
}
}  // namespace

bool ParseKeySchedule(const std::string& text, std::vector<ScheduledKey>& out, std::string& error) {
  for (const std::string& entry : Split(text, ',')) {
    std::vector<std::string> fields = Split(entry, ':');
    ScheduledKey k{};
    if (fields.size() != 2 || !ParseInt(fields[0], k.tick) || k.tick < 1 ||
        !ParseKeyName(fields[1], k.key)) {
      error = "bad key entry '" + entry + "' (want TICK:KEY, e.g. 30:R or 60:Space)";
      return false;
    }
    out.push_back(k);
  }
  return true;
}

bool ParseMouseSchedule(const std::string& text, std::vector<ScheduledMouse>& out,
                        std::string& error) {
  for (const std::string& entry : Split(text, ',')) {
    std::vector<std::string> fields = Split(entry, ':');
    ScheduledMouse m{};
    if (fields.size() != 3 || !ParseInt(fields[0], m.tick) || m.tick < 1 ||
        !ParseInt(fields[1], m.x) || !ParseInt(fields[2], m.y)) {
      error = "bad mouse entry '" + entry + "' (want TICK:X:Y, e.g. 40:100:200)";
      return false;
    }
    out.push_back(m);
  }
  return true;
}

bool ParsePadSchedule(const std::string& text, std::vector<ScheduledPad>& out, std::string& error) {
  for (const std::string& entry : Split(text, ',')) {
    std::vector<std::string> fields = Split(entry, ':');
    ScheduledPad p{};
    if (fields.size() != 3 || !ParseInt(fields[0], p.tick) || p.tick < 1 ||
        !ParseInt(fields[1], p.x) || !ParseInt(fields[2], p.y) || p.x < -32768 || p.x > 32767 ||
        p.y < -32768 || p.y > 32767) {
      error = "bad pad entry '" + entry +
              "' (want TICK:X:Y, the stick from -32768 to 32767, e.g. 40:-32768:0)";
      return false;
    }
    out.push_back(p);
  }
  return true;
}

bool ParsePadButtons(const std::string& text, std::vector<ScheduledButton>& out,
                     std::string& error) {
  const std::pair<const char*, PadButton> names[] = {
      {"A", PadButton::kA}, {"Y", PadButton::kY}, {"Back", PadButton::kBack}};
  for (const std::string& entry : Split(text, ',')) {
    std::vector<std::string> fields = Split(entry, ':');
    ScheduledButton b{0, PadButton::kOther};
    if (fields.size() == 2 && ParseInt(fields[0], b.tick) && b.tick >= 1) {
      for (const auto& [name, button] : names) {
        if (fields[1] == name) b.button = button;
      }
    }
    if (b.button == PadButton::kOther) {
      error = "bad pad button entry '" + entry + "' (want TICK:A, TICK:Y or TICK:Back)";
      return false;
    }
    out.push_back(b);
  }
  return true;
}

bool ParseFrameList(const std::string& text, std::vector<int>& out, std::string& error) {
  for (const std::string& entry : Split(text, ',')) {
    int frame = 0;
    if (!ParseInt(entry, frame) || frame < 1) {
      error = "bad frame number '" + entry + "' (frames count from 1)";
      return false;
    }
    out.push_back(frame);
  }
  return true;
}

std::string RefuseEmptyList(const std::string& text) { return text.empty() ? "an empty list" : ""; }

bool CheckLastTick(int lastTick, const std::vector<ScheduledKey>& keys,
                   const std::vector<ScheduledMouse>& mouse, const std::vector<ScheduledPad>& pad,
                   const std::vector<ScheduledButton>& buttons, const std::vector<int>& frames,
                   std::string& error) {
  auto beyond = [&](int tick, const char* what) {
    error = std::string(what) + " " + std::to_string(tick) + " is past the last tick (--frames " +
            std::to_string(lastTick) + ")";
    return false;
  };
  for (const ScheduledKey& k : keys) {
    if (k.tick > lastTick) return beyond(k.tick, "--keys: tick");
  }
  for (const ScheduledMouse& m : mouse) {
    if (m.tick > lastTick) return beyond(m.tick, "--mouse: tick");
  }
  for (const ScheduledPad& p : pad) {
    if (p.tick > lastTick) return beyond(p.tick, "--pad: tick");
  }
  for (const ScheduledButton& b : buttons) {
    if (b.tick > lastTick) return beyond(b.tick, "--pad-button: tick");
  }
  for (int frame : frames) {
    if (frame > lastTick) return beyond(frame, "--png: frame");
  }
  return true;
}
