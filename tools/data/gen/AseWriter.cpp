// AseWriter.cpp -- the ASE text: header, node, vertex and face lists,
// optional texture lists, then the normals.
#include "data/gen/AseWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

void AppendTriple(std::string& out, double a, double b, double c) {
  out += '\t';
  out += FormatFixed(a);
  out += '\t';
  out += FormatFixed(b);
  out += '\t';
  out += FormatFixed(c);
  out += '\n';
}

std::string Int(const char* format, int value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

void AppendHeader(std::string& out, const std::string& name) {
  out += "*3DSMAX_ASCIIEXPORT\t200\n";
  out += "*COMMENT \"courtball-data generate\"\n";
  out += "*SCENE {\n\t*SCENE_FILENAME \"courtball\"\n\t*SCENE_FIRSTFRAME 0\n";
  out += "\t*SCENE_LASTFRAME 100\n\t*SCENE_FRAMESPEED 30\n\t*SCENE_TICKSPERFRAME 160\n";
  out += "\t*SCENE_BACKGROUND_STATIC 0.0000\t0.0000\t0.0000\n";
  out += "\t*SCENE_AMBIENT_STATIC 0.0000\t0.0000\t0.0000\n}\n";
  out += "*GEOMOBJECT {\n\t*NODE_NAME \"" + name + "\"\n\t*NODE_TM {\n";
  out += "\t\t*NODE_NAME \"" + name + "\"\n";
  out += "\t\t*INHERIT_POS 0 0 0\n\t\t*INHERIT_ROT 0 0 0\n\t\t*INHERIT_SCL 0 0 0\n";
  out += "\t\t*TM_ROW0 1.0000\t0.0000\t0.0000\n\t\t*TM_ROW1 0.0000\t1.0000\t0.0000\n";
  out += "\t\t*TM_ROW2 0.0000\t0.0000\t1.0000\n\t\t*TM_ROW3 0.0000\t0.0000\t0.0000\n";
  out += "\t\t*TM_POS 0.0000\t0.0000\t0.0000\n\t\t*TM_ROTAXIS 0.0000\t0.0000\t0.0000\n";
  out += "\t\t*TM_ROTANGLE 0.0000\n\t\t*TM_SCALE 1.0000\t1.0000\t1.0000\n";
  out += "\t\t*TM_SCALEAXIS 0.0000\t0.0000\t0.0000\n\t\t*TM_SCALEAXISANG 0.0000\n\t}\n";
}

void AppendVertices(std::string& out, const BuiltMesh& mesh, double scale) {
  out += "\t\t*MESH_VERTEX_LIST {\n";
  for (size_t i = 0; i < mesh.vertices.size(); ++i) {
    D3 p = mesh.vertices[i].position;
    out += Int("\t\t\t*MESH_VERTEX %4d", static_cast<int>(i));
    AppendTriple(out, p.x / scale, -p.z / scale, p.y / scale);
  }
  out += "\t\t}\n";
}

void AppendFaces(std::string& out, const BuiltMesh& mesh) {
  out += "\t\t*MESH_FACE_LIST {\n";
  for (size_t i = 0; i < mesh.faces.size(); ++i) {
    const auto& f = mesh.faces[i];
    out += Int("\t\t\t*MESH_FACE %4d:", static_cast<int>(i));
    out += Int("    A: %4d", f[0]) + Int(" B: %4d", f[1]) + Int(" C: %4d", f[2]);
    out += " AB:    1 BC:    1 CA:    1\t *MESH_SMOOTHING 1 \t*MESH_MTLID 0\n";
  }
  out += "\t\t}\n";
}

void AppendTextureLists(std::string& out, const BuiltMesh& mesh) {
  int count = static_cast<int>(mesh.vertices.size());
  out += Int("\t\t*MESH_NUMTVERTEX %d\n", count);
  out += "\t\t*MESH_TVERTLIST {\n";
  for (int i = 0; i < count; ++i) {
    out += Int("\t\t\t*MESH_TVERT %d", i);
    AppendTriple(out, mesh.vertices[i].s, mesh.vertices[i].t, 0.0);
  }
  out += "\t\t}\n";
  out += Int("\t\t*MESH_NUMTVFACES %d\n", static_cast<int>(mesh.faces.size()));
  out += "\t\t*MESH_TFACELIST {\n";
  for (size_t i = 0; i < mesh.faces.size(); ++i) {
    const auto& f = mesh.faces[i];  // one texture vertex per vertex, same index
    out += Int("\t\t\t*MESH_TFACE %d", static_cast<int>(i));
    out += Int("\t%d", f[0]) + Int("\t%d", f[1]) + Int("\t%d\n", f[2]);
  }
  out += "\t\t}\n";
}

void AppendNormals(std::string& out, const BuiltMesh& mesh) {
  out += "\t\t*MESH_NORMALS {\n";
  for (size_t i = 0; i < mesh.faces.size(); ++i) {
    const auto& f = mesh.faces[i];
    D3 a = mesh.vertices[f[0]].position;
    D3 n = Unit(Cross(mesh.vertices[f[1]].position - a, mesh.vertices[f[2]].position - a));
    out += Int("\t\t\t*MESH_FACENORMAL %d", static_cast<int>(i));
    AppendTriple(out, n.x, n.y, n.z);
    for (int corner : f) {
      D3 v = mesh.vertices[corner].normal;
      out += Int("\t\t\t\t*MESH_VERTEXNORMAL %d", corner);
      AppendTriple(out, v.x, v.y, v.z);
    }
  }
  out += "\t\t}\n";
}

}  // namespace

std::string FormatFixed(double value) {
  if (std::fabs(value) < 0.00005) value = 0.0;
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
  return std::string(buffer, result.ptr);
}

std::string EncodeAse(const BuiltMesh& mesh, float loadScale) {
  double scale = loadScale;  // the float the game multiplies by, exactly
  std::string out;
  out.reserve(mesh.vertices.size() * 64 + mesh.faces.size() * 400 + 2048);
  AppendHeader(out, mesh.name);
  out += "\t*MESH {\n\t\t*TIMEVALUE 0\n";
  out += Int("\t\t*MESH_NUMVERTEX %d\n", static_cast<int>(mesh.vertices.size()));
  out += Int("\t\t*MESH_NUMFACES %d\n", static_cast<int>(mesh.faces.size()));
  AppendVertices(out, mesh, scale);
  AppendFaces(out, mesh);
  if (mesh.textured) {
    AppendTextureLists(out, mesh);
  } else {
    out += "\t\t*MESH_NUMTVERTEX 0\n";
  }
  AppendNormals(out, mesh);
  out += "\t}\n\t*PROP_MOTIONBLUR 0\n\t*PROP_CASTSHADOW 1\n\t*PROP_RECVSHADOW 1\n}\n";
  return out;
}
