// GameData.cpp -- assembles the 19 files and writes them to a folder.
#include "data/gen/GameData.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "data/gen/AseWriter.h"
#include "data/gen/CourtGeometry.h"
#include "data/gen/CourtMeshes.h"
#include "data/gen/FloorHeights.h"
#include "data/gen/ScenePictures.h"
#include "data/gen/SoundEffects.h"

namespace {
std::string BuildMeshFile(GameFileId id) {
  const float scale = kGameFiles[id].scale;
  switch (id) {
    case kBallMesh: return EncodeAse(BuildBallMesh(), scale);
    case kCaseMesh: return EncodeAse(BuildCaseMesh(), scale);
    case kPaddleMesh: return EncodeAse(BuildPaddleMesh(), scale);
    case kLeftWallMesh: return EncodeAse(BuildLeftWallMesh(), scale);
    case kRoofMesh: return EncodeAse(BuildRoofMesh(), scale);
    default: return EncodeAse(BuildRightWallMesh(), scale);
  }
}

// The bytes of one file of the table.
std::string BuildFile(GameFileId id) {
  if (id >= kFirstSoundFile) return EncodeSoundEffect(id);
  if (id == kFloorHeights) return EncodeFloorTga();
  if (id == kTitleBitmap) return EncodeBmp(PaintTitleCard());
  if (id == kEnvMapBitmap) return EncodeBmp(PaintEnvMap());
  if (id >= kBallBitmap1) return EncodeBmp(PaintBallFrame(id - kBallBitmap1));
  return BuildMeshFile(id);
}
}  // namespace

std::vector<GeneratedFile> BuildGameData() {
  std::vector<GeneratedFile> files;
  for (int id = 0; id < kGameFileCount; ++id) {
    files.push_back({kGameFiles[id].name, BuildFile(static_cast<GameFileId>(id))});
  }
  return files;
}

bool WriteGameData(const std::string& dir, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    error = "cannot create " + dir + ": " + ec.message();
    return false;
  }
  for (const GeneratedFile& file : BuildGameData()) {
    std::filesystem::path path = std::filesystem::path(dir) / file.name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
    out.close();
    if (!out) {
      error = "cannot write " + path.string();
      return false;
    }
  }
  return true;
}
