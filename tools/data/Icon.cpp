// Icon.cpp -- courtball-data icon SIZE OUT: the desktop icon, the game's own
// title card scaled down to SIZE pixels square, as a PNG file; or, for
// OUT.ico, the Windows icon of the card at 16, 32, 48 and SIZE pixels.
#include <cmath>
#include <cstdint>
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

bool WritePng(std::FILE* out, const Picture& card, int size) {
  const std::vector<unsigned char> rgb = ShrinkCard(card, size);
  return WriteUprightPng(out, size, size, rgb.data());
}

// The card at size pixels as the bytes of a PNG file, through a scratch file.
bool PngBytes(const Picture& card, int size, std::string& png) {
  std::FILE* scratch = std::tmpfile();
  bool ok = scratch && WritePng(scratch, card, size) && std::fseek(scratch, 0, SEEK_END) == 0;
  const long length = ok ? std::ftell(scratch) : -1;
  png.assign(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  ok = length > 0 && std::fseek(scratch, 0, SEEK_SET) == 0 &&
       std::fread(png.data(), 1, png.size(), scratch) == png.size();
  if (scratch) std::fclose(scratch);
  return ok;
}

void PutLittle(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

// A Windows icon: its directory, one 16-byte entry per size (256 written as
// 0), then each size's picture as a whole PNG file, which Windows reads too.
bool WriteIco(std::FILE* out, const Picture& card, int largest) {
  std::vector<int> sizes;
  for (int size : {16, 32, 48}) {
    if (size < largest) sizes.push_back(size);
  }
  sizes.push_back(largest);
  std::string head, pictures, png;
  PutLittle(head, 0, 2);
  PutLittle(head, 1, 2);  // an icon, not a cursor
  PutLittle(head, static_cast<uint32_t>(sizes.size()), 2);
  for (int size : sizes) {
    if (!PngBytes(card, size, png)) return false;
    const uint32_t at = static_cast<uint32_t>(6 + 16 * sizes.size() + pictures.size());
    PutLittle(head, static_cast<uint32_t>(size % 256), 1);
    PutLittle(head, static_cast<uint32_t>(size % 256), 1);
    PutLittle(head, 0, 2);   // no palette
    PutLittle(head, 1, 2);   // planes
    PutLittle(head, 24, 2);  // bits per pixel
    PutLittle(head, static_cast<uint32_t>(png.size()), 4);
    PutLittle(head, at, 4);
    pictures += png;
  }
  const std::string all = head + pictures;
  return std::fwrite(all.data(), 1, all.size(), out) == all.size();
}

bool IsIco(const std::string& path) {
  return path.size() > 4 && path.compare(path.size() - 4, 4, ".ico") == 0;
}

int RunIcon(const IconOptions& options) {
  if (IsIco(options.picture) && options.size > 256) {
    std::cerr << "courtball-data icon: a Windows icon is at most 256 pixels square\n";
    return 2;
  }
  const Picture card = PaintTitleCard();
  std::FILE* out = std::fopen(options.picture.c_str(), "wb");
  bool ok = out && (IsIco(options.picture) ? WriteIco(out, card, options.size)
                                           : WritePng(out, card, options.size));
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
  cmd->add_option("OUT", options->picture,
                  "the .png file to write, or a .ico file: the Windows icon at 16, 32, 48 and "
                  "SIZE pixels")
      ->required();
  cmd->callback([options, &exitCode]() { exitCode = RunIcon(*options); });
}
