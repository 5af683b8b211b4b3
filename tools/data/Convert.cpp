// Convert.cpp -- courtball-data convert: decodes a bitmap with the game's own
// reader and writes the picture upright as PNG or binary PPM.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "common/PngFile.h"
#include "data/Commands.h"
#include "image/BitmapImage.h"

namespace {

enum class PictureFormat { kPng, kPpm, kUnknown };

struct ConvertOptions {
  std::string bitmap;
  std::string picture;
};

PictureFormat FormatOf(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return PictureFormat::kUnknown;
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".png") return PictureFormat::kPng;
  if (extension == ".ppm") return PictureFormat::kPpm;
  return PictureFormat::kUnknown;
}

// The reader keeps the bottom row first; picture files start at the top.
const unsigned char* UprightRow(const BitmapImage& image, int y) {
  const size_t rowBytes = static_cast<size_t>(image.width) * 3;
  return image.data.data() + static_cast<size_t>(image.height - 1 - y) * rowBytes;
}

bool WritePpm(const BitmapImage& image, std::FILE* out) {
  const size_t rowBytes = static_cast<size_t>(image.width) * 3;
  bool ok = std::fprintf(out, "P6\n%d %d\n255\n", image.width, image.height) > 0;
  for (int y = 0; ok && y < image.height; ++y) {
    ok = std::fwrite(UprightRow(image, y), 1, rowBytes, out) == rowBytes;
  }
  return ok;
}

int RunConvert(const ConvertOptions& options) {
  // The reader shows its own message (stderr by default) when it refuses.
  std::unique_ptr<BitmapImage> image = LoadBitmapImage(options.bitmap.c_str());
  if (!image) return 1;
  std::FILE* out = std::fopen(options.picture.c_str(), "wb");
  bool ok = out != nullptr;
  if (ok) {
    ok = FormatOf(options.picture) == PictureFormat::kPng
             ? WriteUprightPng(out, image->width, image->height, image->data.data())
             : WritePpm(*image, out);
    ok = std::fclose(out) == 0 && ok;
  }
  if (!ok) std::cerr << "courtball-data convert: cannot write " << options.picture << "\n";
  return ok ? 0 : 1;
}

}  // namespace

void AddConvertCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<ConvertOptions>();
  auto* cmd = app.add_subcommand(
      "convert", "Decode a BMP with the game's reader and write it upright as PNG or PPM");
  cmd->add_option("bitmap", options->bitmap, "The .bmp file")->required();
  const CLI::Validator pictureName(
      [](std::string& path) {
        return FormatOf(path) == PictureFormat::kUnknown ? "must end in .png or .ppm"
                                                         : std::string();
      },
      "OUT.png|OUT.ppm");
  cmd->add_option("picture", options->picture, "The picture to write: .png or .ppm")
      ->required()
      ->check(pictureName);
  cmd->callback([options, &exitCode]() { exitCode = RunConvert(*options); });
}
