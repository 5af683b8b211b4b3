// AnimationWin32.cpp -- courtball-capture for Windows makes no animations:
// Debian has no libwebp for it. --animate is then no option at all, and the
// tool refuses it as it refuses any option it does not know.
#include "capture/Animation.h"

void AddAnimationOptions(CLI::App&, AnimationOptions&) {}
bool CheckAnimationOptions(AnimationOptions&, int&, std::string&) { return true; }

AnimationWriter::AnimationWriter(const AnimationOptions& options, int width, int height)
    : options_(options), width_(width), height_(height) {}
AnimationWriter::~AnimationWriter() = default;
bool AnimationWriter::Wants(int) const { return false; }
bool AnimationWriter::Add(const std::vector<unsigned char>&) { return false; }
bool AnimationWriter::Finish() { return true; }
