// Icon.cpp -- courtball-data icon SIZE OUT.png: the desktop icon, the game's
// own title card scaled down to SIZE pixels square.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "common/PngFile.h"
#include "data/Commands.h"
#include "data/gen/ScenePictures.h"

namespace {

struct IconOptions {
  int size = 0;
  std::string picture;
};

// Each icon pixel is the mean of the card pixels it covers; integer bounds
// tile the card exactly, so no card pixel counts twice. Bottom row first,
// as the PNG writer takes it.
std::vector<unsigned char> ShrinkCard(const Picture& card, int size) {
  std::vector<unsigned char> rgb;
  rgb.reserve(static_cast<size_t>(size) * size * 3);
  for (int y = size - 1; y >= 0; --y) {
    const int y0 = y * card.height / size, y1 = (y + 1) * card.height / size;
    for (int x = 0; x < size; ++x) {
      const int x0 = x * card.width / size, x1 = (x + 1) * card.width / size;
      Colour sum{0, 0, 0};
      for (int cy = y0; cy < y1; ++cy) {
        for (int cx = x0; cx < x1; ++cx) sum = sum + card.At(cx, cy);
      }
      const double mean = 1.0 / ((y1 - y0) * (x1 - x0));
      for (double channel : {sum.r, sum.g, sum.b}) {
        rgb.push_back(static_cast<unsigned char>(std::lround(Clamp01(channel * mean) * 255.0)));
      }
    }
  }
  return rgb;
}

int RunIcon(const IconOptions& options) {
  const std::vector<unsigned char> rgb = ShrinkCard(PaintTitleCard(), options.size);
  std::FILE* out = std::fopen(options.picture.c_str(), "wb");
  bool ok = out && WriteUprightPng(out, options.size, options.size, rgb.data());
  if (out) ok = std::fclose(out) == 0 && ok;
  if (!ok) std::cerr << "courtball-data icon: cannot write " << options.picture << "\n";
  return ok ? 0 : 1;
}

}  // namespace

void AddIconCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<IconOptions>();
  auto* cmd =
      app.add_subcommand("icon", "write the desktop icon, the title card SIZE pixels square");
  cmd->add_option("SIZE", options->size, "width and height in pixels")
      ->required()
      ->check(CLI::Range(16, kTitleSize));
  cmd->add_option("OUT", options->picture, "the .png file to write")->required();
  cmd->callback([options, &exitCode]() { exitCode = RunIcon(*options); });
}
