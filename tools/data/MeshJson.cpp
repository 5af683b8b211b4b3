// MeshJson.cpp -- courtball-data inspect: loads one ASE file with the game's
// reader and prints the model it yields as JSON.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "data/Commands.h"
#include "math/GameRandom.h"
#include "mesh/MeshModel.h"
#include "platform/DataFile.h"

namespace {
struct InspectOptions {
  std::string path;
  float scale = 1.0f;
};

// The JSON is assembled as text because the numbers must read exactly as
// %.9g prints them, which a JSON library's own float output does not do.
class JsonText {
 public:
  std::string text;

  void Float(float value) {
    // JSON has no infinity or NaN; a scale can push a position that far.
    if (!std::isfinite(value)) {
      text += "null";
      return;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    text += buffer;
  }
  void Int(int value) { text += std::to_string(value); }
  void Key(const char* name) {
    text += '"';
    text += name;
    text += "\":";
  }
  void FloatRow(std::initializer_list<float> values) {
    text += '[';
    for (const float* v = values.begin(); v != values.end(); ++v) {
      if (v != values.begin()) text += ',';
      Float(*v);
    }
    text += ']';
  }
};

void WriteFace(JsonText& out, const MeshFace& f) {
  out.text += '[';
  for (int index : {f.vertexA, f.vertexB, f.vertexC, f.texA, f.texB, f.texC}) {
    out.Int(index);
    out.text += ',';
  }
  for (float colour : {f.red, f.green, f.blue}) {
    out.Float(colour);
    out.text += ',';
  }
  out.Float(f.alpha);
  out.text += ']';
}

// Writes `count` entries of a list, each by `entry(out, i)`.
template <typename Entry>
void WriteList(JsonText& out, const char* name, int count, Entry entry) {
  out.text += ',';
  out.Key(name);
  out.text += '[';
  for (int i = 0; i < count; ++i) {
    if (i > 0) out.text += ',';
    entry(out, i);
  }
  out.text += ']';
}

std::string ModelJson(const MeshModel& m) {
  JsonText out;
  out.text += '{';
  out.Key("vertexCount");
  out.Int(m.vertexCount);
  out.text += ',';
  out.Key("faceCount");
  out.Int(m.faceCount);
  out.text += ',';
  out.Key("texVertexCount");
  out.Int(m.texVertexCount);
  const int vertices = CappedCount(m.vertexCount);
  WriteList(out, "vertices", vertices, [&m](JsonText& o, int i) {
    o.FloatRow({m.vertices[i].x, m.vertices[i].y, m.vertices[i].z});
  });
  WriteList(out, "normals", vertices, [&m](JsonText& o, int i) {
    o.FloatRow({m.normals[i].x, m.normals[i].y, m.normals[i].z});
  });
  WriteList(out, "texVertices", CappedCount(m.texVertexCount), [&m](JsonText& o, int i) {
    o.FloatRow({m.texVertices[i].x, m.texVertices[i].y});
  });
  WriteList(out, "faces", CappedCount(m.faceCount),
            [&m](JsonText& o, int i) { WriteFace(o, m.faces[i]); });
  out.text += "}\n";
  return out.text;
}

int RunInspect(const InspectOptions& options) {
  // What the game's reader cannot open it loads as an empty model; say so.
  if (!DataFile(options.path.c_str()).IsOpen()) {
    std::cerr << "courtball-data inspect: cannot open " << options.path << "\n";
    return 1;
  }
  auto model = std::make_unique<MeshModel>();
  ResetGameRandom();  // the face greys as a fresh game would draw them
  model->Load(options.path.c_str(), options.scale);
  std::cout << ModelJson(*model);
  std::cout.flush();
  return std::cout.good() ? 0 : 1;
}
}  // namespace

void AddInspectCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<InspectOptions>();
  auto* cmd = app.add_subcommand("inspect", "Print an ASE file's loaded model as JSON");
  cmd->add_option("--scale", options->scale, "Load scale (positions only)")->capture_default_str();
  cmd->add_option("file", options->path, "The .ase file")->required();
  cmd->callback([options, &exitCode]() { exitCode = RunInspect(*options); });
}
