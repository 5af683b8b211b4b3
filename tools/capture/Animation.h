// Animation.h -- courtball-capture's --animate: chosen frames of a run as one
// animated, lossless WebP picture, through libwebp's animation encoder.
#pragma once
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

struct WebPAnimEncoder;

struct AnimationOptions {
  std::string path;  // empty: no animation
  int from = 1;
  int to = 0;     // 0: the run's last frame
  int every = 1;  // frames apart; each is shown for that many 20 ms ticks
  int width = 0;  // 0: the frames' own width; else scaled to it, shape kept
};

// Adds --animate, --from, --to, --every and --animate-width.
void AddAnimationOptions(CLI::App& app, AnimationOptions& options);
// Fills in the defaults and lengthens the run to reach --to; false with a
// reason when the range is empty.
bool CheckAnimationOptions(AnimationOptions& options, int& frames, std::string& error);

class AnimationWriter {
 public:
  AnimationWriter(const AnimationOptions& options, int width, int height);
  ~AnimationWriter();
  AnimationWriter(const AnimationWriter&) = delete;
  AnimationWriter& operator=(const AnimationWriter&) = delete;

  bool Wants(int frame) const;
  // rgb: height rows of width*3 bytes, bottom row first (as glReadPixels
  // gives them). False, with a message on stderr, if libwebp refuses it.
  bool Add(const std::vector<unsigned char>& rgb);
  // Assembles the picture and writes it; false with a message on failure.
  bool Finish();

 private:
  const AnimationOptions& options_;
  int width_, height_;
  int added_ = 0;
  WebPAnimEncoder* encoder_ = nullptr;
};
