// Animation.cpp -- the animated WebP writer: each chosen frame is flipped
// upright, scaled by libwebp and added to a lossless animation that plays at
// the game's own speed.
#include "capture/Animation.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <cstdio>
#include <iostream>

namespace {
constexpr int kTickMs = 20;

bool Report(const std::string& what) {
  std::cerr << "courtball-capture: " << what << "\n";
  return false;
}

// The height that keeps the frame's shape at the given width.
int ScaledHeight(int width, int height, int scaledWidth) {
  return (height * scaledWidth + width / 2) / width;
}
}  // namespace

void AddAnimationOptions(CLI::App& app, AnimationOptions& options) {
  CLI::Option* animate =
      app.add_option("--animate", options.path, "write frames as an animated lossless WebP");
  // The same bound as --frames: --to may lengthen the run.
  app.add_option("--from", options.from, "first frame of the animation (default 1)")
      ->check(CLI::Range(1, 10000000))
      ->needs(animate);
  app.add_option("--to", options.to, "last frame of the animation (default: the last)")
      ->check(CLI::Range(1, 10000000))
      ->needs(animate);
  app.add_option("--every", options.every, "take every Nth frame (default 1)")
      ->check(CLI::Range(1, 1000))
      ->needs(animate);
  app.add_option("--animate-width", options.width, "scale the animation to this width")
      ->check(CLI::Range(16, 4096))
      ->needs(animate);
}

bool CheckAnimationOptions(AnimationOptions& options, int& frames, std::string& error) {
  if (options.path.empty()) return true;
  if (options.to == 0) options.to = frames;
  if (options.to > frames) frames = options.to;
  if (options.from > options.to) {
    error =
        "--from " + std::to_string(options.from) + " is after --to " + std::to_string(options.to);
    return false;
  }
  return true;
}

AnimationWriter::AnimationWriter(const AnimationOptions& options, int width, int height)
    : options_(options), width_(width), height_(height) {}

AnimationWriter::~AnimationWriter() { WebPAnimEncoderDelete(encoder_); }

bool AnimationWriter::Wants(int frame) const {
  return !options_.path.empty() && frame >= options_.from && frame <= options_.to &&
         (frame - options_.from) % options_.every == 0;
}

bool AnimationWriter::Add(const std::vector<unsigned char>& rgb) {
  const int outWidth = options_.width ? options_.width : width_;
  const int outHeight = ScaledHeight(width_, height_, outWidth);
  if (encoder_ == nullptr) {
    WebPAnimEncoderOptions animation;
    if (!WebPAnimEncoderOptionsInit(&animation)) return Report("libwebp version mismatch");
    encoder_ = WebPAnimEncoderNew(outWidth, outHeight, &animation);
    if (encoder_ == nullptr) return Report("cannot start the animation");
  }
  WebPConfig config;
  WebPPicture picture;
  if (!WebPConfigInit(&config) || !WebPPictureInit(&picture)) {
    return Report("libwebp version mismatch");
  }
  config.lossless = 1;  // so that every frame is exactly the captured one
  picture.use_argb = 1;
  picture.width = width_;
  picture.height = height_;
  // A negative stride walks the bottom-first rows from the top.
  const int stride = width_ * 3;
  bool ok = WebPPictureImportRGB(&picture, rgb.data() + (height_ - 1) * stride, -stride) &&
            (outWidth == width_ || WebPPictureRescale(&picture, outWidth, outHeight)) &&
            WebPAnimEncoderAdd(encoder_, &picture, added_ * options_.every * kTickMs, &config);
  WebPPictureFree(&picture);
  if (!ok) return Report(std::string("animation frame: ") + WebPAnimEncoderGetError(encoder_));
  ++added_;
  return true;
}

bool AnimationWriter::Finish() {
  if (options_.path.empty()) return true;
  if (encoder_ == nullptr) return Report("no frame for the animation");
  WebPData data;
  WebPDataInit(&data);
  // A last, empty frame ends the animation and sets the last frame's time.
  bool ok = WebPAnimEncoderAdd(encoder_, nullptr, added_ * options_.every * kTickMs, nullptr) &&
            WebPAnimEncoderAssemble(encoder_, &data);
  if (!ok) return Report(std::string("animation: ") + WebPAnimEncoderGetError(encoder_));
  std::FILE* out = std::fopen(options_.path.c_str(), "wb");
  ok = out && std::fwrite(data.bytes, 1, data.size, out) == data.size;
  if (out) ok = std::fclose(out) == 0 && ok;
  WebPDataClear(&data);
  return ok || Report("cannot write " + options_.path);
}
