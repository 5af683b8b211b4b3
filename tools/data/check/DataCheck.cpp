// DataCheck.cpp -- courtball-data check: each data file loaded with the
// game's own readers, one line on what it holds, then what a modder should
// know: meshes at capacity, faces that name missing vertices, normals lost
// to texture lists, bitmaps the game would refuse, a short height file,
// sounds it would play as silence.
#include "data/check/DataCheck.h"

#include <cmath>
#include <filesystem>
#include <iomanip>
#include <limits>
#include <sstream>
#include <vector>

#include "court/GameFiles.h"
#include "image/BitmapImage.h"
#include "mesh/MeshModel.h"
#include "platform/DataFile.h"
#include "shell/SoundFile.h"
#include "terrain/Terrain.h"

namespace {

struct FileReport {
  std::string summary;
  std::vector<std::string> warnings;
  bool unusable = false;  // the game could not use it
};

std::string Counted(int n, const char* what) { return std::to_string(n) + " " + what; }

// Marks every slot unfilled, so that after Load the slots the file named
// can be told from the rest (a file cannot store a NaN: the reader stops).
void MarkUnfilled(MeshModel& model) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (int i = 0; i < kMeshCapacity; ++i) {
    model.vertices[i] = Vertex{nan, nan, nan, nan, nan};
    model.texVertices[i] = Vertex{nan, nan, nan, nan, nan};
    model.normals[i] = Vec3{nan, nan, nan};
  }
}

// Vertex slots the faces name, and the faces that name slots out of range
// or never filled.
struct FaceScan {
  std::vector<bool> used = std::vector<bool>(kMeshCapacity, false);
  int outOfRange = 0, unfilled = 0;
  std::string firstOutOfRange, firstUnfilled;
};

FaceScan ScanFaces(const MeshModel& model) {
  FaceScan scan;
  const int faces = std::min(model.faceCount, kMeshCapacity);
  for (int f = 0; f < faces; ++f) {
    bool bad = false, missing = false;
    for (int v : {model.faces[f].vertexA, model.faces[f].vertexB, model.faces[f].vertexC}) {
      std::string where = "face " + std::to_string(f) + " names vertex " + std::to_string(v);
      if (v < 0 || v >= kMeshCapacity) {
        if (!bad && scan.firstOutOfRange.empty()) scan.firstOutOfRange = where;
        bad = true;
      } else if (std::isnan(model.vertices[v].x)) {
        if (!missing && scan.firstUnfilled.empty()) scan.firstUnfilled = where;
        missing = true;
      } else {
        scan.used[v] = true;
      }
    }
    scan.outOfRange += bad;
    scan.unfilled += missing;
  }
  return scan;
}

void WarnCapacity(const MeshModel& model, FileReport& report) {
  const std::pair<int, const char*> counts[] = {{model.vertexCount, "vertices"},
                                                {model.faceCount, "faces"},
                                                {model.texVertexCount, "texture vertices"}};
  for (const auto& [count, what] : counts) {
    if (count >= kMeshCapacity) {
      report.warnings.push_back("at capacity: " + Counted(count, what) +
                                "; records beyond the 2000th are ignored");
    }
  }
}

void WarnFaces(const FaceScan& scan, FileReport& report) {
  if (scan.outOfRange > 0) {
    report.warnings.push_back(Counted(scan.outOfRange, "faces") +
                              " name vertices outside 0..1999 and are never drawn (" +
                              scan.firstOutOfRange + ")");
  }
  if (scan.unfilled > 0) {
    report.warnings.push_back(Counted(scan.unfilled, "faces") +
                              " name vertices the file never filled, drawn at the origin (" +
                              scan.firstUnfilled + ")");
  }
}

int CountMissing(const FaceScan& scan, const MeshModel& model, bool normals) {
  int missing = 0;
  for (int v = 0; v < kMeshCapacity; ++v) {
    if (!scan.used[v]) continue;
    missing += normals ? std::isnan(model.normals[v].x) : std::isnan(model.texVertices[v].x);
  }
  return missing;
}

// The ball needs a texture coordinate at every vertex index; the others need
// their normals, which a texture-face list cuts off.
void WarnSurface(const GameFile& entry, const FaceScan& scan, const MeshModel& model,
                 FileReport& report) {
  if (entry.kind == FileKind::kTexturedMesh) {
    int missing = CountMissing(scan, model, false);
    if (missing > 0) {
      report.warnings.push_back(Counted(missing, "vertices") +
                                " have no texture coordinate at their own index (the ball looks "
                                "its texture up by vertex index)");
    }
    return;
  }
  int missing = CountMissing(scan, model, true);
  if (missing == 0) return;
  std::string why = model.texVertexCount > 0
                        ? "its texture lists end the reading, so the normals after them are lost"
                        : "the file gives them none";
  report.warnings.push_back(Counted(missing, "vertices") + " have no normal: " + why +
                            "; they are drawn unlit and their sphere map is wrong");
}

FileReport CheckMesh(const std::string& dir, const GameFile& entry) {
  FileReport report;
  std::string path = (std::filesystem::path(dir) / entry.name).string();
  if (!DataFile(path.c_str()).IsOpen()) {  // the game's reader would not open it either
    report.summary = "missing or unreadable";
    report.warnings.push_back("the game runs without it: nothing of it is drawn");
    return report;
  }
  auto model = std::make_unique<MeshModel>();
  MarkUnfilled(*model);
  model->Load(path.c_str(), entry.scale);
  report.summary = Counted(model->vertexCount, "vertices") + ", " +
                   Counted(model->faceCount, "faces") + ", " +
                   (model->texVertexCount > 0 ? Counted(model->texVertexCount, "texture vertices")
                                              : std::string("no texture lists"));
  if (model->faceCount == 0) report.warnings.push_back("no faces: nothing of it is drawn");
  WarnCapacity(*model, report);
  FaceScan scan = ScanFaces(*model);
  WarnFaces(scan, report);
  WarnSurface(entry, scan, *model, report);
  return report;
}

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

FileReport CheckBitmap(const std::string& dir, const std::string& name) {
  FileReport report;
  BitmapError error = BitmapError::kNone;
  std::unique_ptr<BitmapImage> image =
      ReadBitmapFile((std::filesystem::path(dir) / name).string().c_str(), error);
  if (!image) {
    std::string message = BitmapErrorMessage(error, name.c_str());
    while (!message.empty() && message.back() == '\n') message.pop_back();
    report.summary = "refused: " + message;
    report.warnings.push_back("the game cannot load its textures and ends at start-up");
    report.unusable = true;
    return report;
  }
  report.summary = std::to_string(image->width) + "x" + std::to_string(image->height) + " bitmap";
  if (!PowerOfTwo(image->width) || !PowerOfTwo(image->height)) {
    report.warnings.push_back("sides are not powers of two: GLU resamples it when it is uploaded");
  }
  return report;
}

// Image tools open the file only if it is the greyscale TGA it claims to be;
// the game does not care and reads its first 1600 bytes as heights.
bool IsFloorTga(const DataFile& file) {
  unsigned char h[18];
  if (file.ReadAt(0, h, sizeof h) < sizeof h) return false;
  return h[1] == 0 && h[2] == 3 && h[12] + 256 * h[13] == 40 && h[14] + 256 * h[15] == 40 &&
         h[16] == 8 && file.size >= 18u + h[0] + 1600u;
}

FileReport CheckFloor(const std::string& dir, const std::string& name) {
  FileReport report;
  const std::string path = (std::filesystem::path(dir) / name).string();
  DataFile file(path.c_str());
  if (!file.IsOpen()) {
    report.summary = "missing or unreadable";
    report.warnings.push_back("the floor is flat, every height -30");
    return report;
  }
  auto terrain = std::make_unique<Terrain>();
  terrain->LoadFile(path.c_str());
  float low = terrain->vertices[0].y, high = low;
  for (int v = 0; v < Terrain::kVertexCount; ++v) {
    low = std::min(low, terrain->vertices[v].y);
    high = std::max(high, terrain->vertices[v].y);
  }
  std::ostringstream summary;
  summary << file.size << " bytes, heights " << low << ".." << high;
  report.summary = summary.str();
  if (file.size < static_cast<uint64_t>(Terrain::kVertexCount)) {
    report.warnings.push_back(
        "shorter than 1600 bytes: the last byte's height fills the rest" +
        std::string(file.size == 0 ? " (none: the floor is flat at -30)" : ""));
  }
  if (!IsFloorTga(file)) {
    report.warnings.push_back("not a 40x40 8-bit greyscale TGA: image tools may not open it");
  }
  return report;
}

// A sound the game cannot read is silence, never an error: exit 0 either way.
FileReport CheckSound(const std::string& dir, const std::string& name) {
  FileReport report;
  SoundClip clip;
  SoundFileFacts facts;
  std::string error;
  if (!LoadSoundClip((std::filesystem::path(dir) / name).string().c_str(), clip, error, &facts)) {
    report.summary = "refused: " + error;
    report.warnings.push_back("the game plays on without this sound");
    return report;
  }
  std::ostringstream summary;
  summary << std::fixed << std::setprecision(2) << facts.seconds << " s, " << facts.rate << " Hz, "
          << facts.bits << "-bit, "
          << (facts.channels == 1 ? std::string("mono") : Counted(facts.channels, "channels"));
  report.summary = summary.str();
  if (facts.cut) report.warnings.push_back("longer than 2 s: the game plays the first 2 s");
  if (facts.rate != kSoundRate || facts.channels != 1 || facts.bits != 16) {
    report.warnings.push_back("not 16-bit mono at 44100 Hz: the game converts it when it loads");
  }
  if (clip.length == 0) report.warnings.push_back("no samples: the game plays nothing for it");
  return report;
}

void Print(std::ostream& out, const std::string& name, const FileReport& report) {
  out << std::left << std::setw(15) << name + ":" << report.summary << "\n";
  for (const std::string& warning : report.warnings) {
    out << "    " << (report.unusable ? "error: " : "warning: ") << warning << "\n";
  }
}

}  // namespace

int CheckGameData(const std::string& dir, std::ostream& out) {
  int result = 0;
  for (const GameFile& file : kGameFiles) {
    FileReport report;
    switch (file.kind) {
      case FileKind::kMesh:
      case FileKind::kTexturedMesh: report = CheckMesh(dir, file); break;
      case FileKind::kBitmap: report = CheckBitmap(dir, file.name); break;
      case FileKind::kHeights: report = CheckFloor(dir, file.name); break;
      case FileKind::kSound: report = CheckSound(dir, file.name); break;
    }
    Print(out, file.name, report);
    if (report.unusable) result = 1;
  }
  return result;
}
