// GameData.cpp -- assembles the 15 files and writes them to a folder.
#include "data/gen/GameData.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "data/gen/AseWriter.h"
#include "data/gen/CourtGeometry.h"
#include "data/gen/CourtMeshes.h"
#include "data/gen/FloorHeights.h"
#include "data/gen/Textures.h"

const std::vector<std::string>& GameDataFileNames() {
  static const std::vector<std::string> names = {
      "ball.ase",      "case.ase",  "Paddle.ase", "LeftWall.ase", "Roof.ase",
      "RightWall.ase", "Title.bmp", "envmap.bmp", "Ball1.bmp",    "Ball2.bmp",
      "Ball3.bmp",     "Ball4.bmp", "Ball5.bmp",  "Ball6.bmp",    "GData.tga"};
  return names;
}

std::vector<DataFile> BuildGameData() {
  std::vector<DataFile> files;
  files.push_back({"ball.ase", EncodeAse(BuildBallMesh(), court::kBallScale)});
  files.push_back({"case.ase", EncodeAse(BuildCaseMesh(), court::kCourtScale)});
  files.push_back({"Paddle.ase", EncodeAse(BuildPaddleMesh(), court::kPaddleScale)});
  files.push_back({"LeftWall.ase", EncodeAse(BuildLeftWallMesh(), court::kCourtScale)});
  files.push_back({"Roof.ase", EncodeAse(BuildRoofMesh(), court::kCourtScale)});
  files.push_back({"RightWall.ase", EncodeAse(BuildRightWallMesh(), court::kCourtScale)});
  files.push_back({"Title.bmp", EncodeBmp(PaintTitleCard())});
  files.push_back({"envmap.bmp", EncodeBmp(PaintEnvMap())});
  for (int frame = 0; frame < kBallFrames; ++frame) {
    files.push_back(
        {"Ball" + std::to_string(frame + 1) + ".bmp", EncodeBmp(PaintBallFrame(frame))});
  }
  files.push_back({"GData.tga", EncodeFloorTga()});
  return files;
}

bool WriteGameData(const std::string& dir, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    error = "cannot create " + dir + ": " + ec.message();
    return false;
  }
  for (const DataFile& file : BuildGameData()) {
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
