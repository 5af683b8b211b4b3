// courtball-data inspect: valid JSON with %.9g numbers, and its exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "TestFiles.h"

namespace {
// Runs the tool; returns its exit code and fills out with its stdout.
int Inspect(const std::string& arguments, std::string& out) {
  const std::string command =
      std::string(COURTBALL_DATA_TOOL) + " inspect " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  out.clear();
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
}  // namespace

TEST(Inspect, PrintsTheLoadedModelAsJson) {
  const std::string dir = MakeTempDir("inspect");
  WriteFile(dir + "/m.ase",
            "*MESH_VERTEX 0 1.5 2 3\r\n*MESH_VERTEX 1 0.1 1e30 -0.0\r\n"
            "*MESH_FACE 0: A: 0 B: 1 C: 7000\r\n*MESH_VERTEXNORMAL 0 0 0 1\r\n");
  std::string out;
  ASSERT_EQ(Inspect("--json --scale 3.9 " + dir + "/m.ase", out), 0);
  const nlohmann::json j = nlohmann::json::parse(out);
  EXPECT_EQ(j["vertexCount"], 2);
  EXPECT_EQ(j["faces"][0][2], 7000);
  EXPECT_EQ(j["normals"][0][1], -1.0);
  EXPECT_EQ(j["texVertices"].size(), 0u);
  // %.9g of the stored floats; a fresh sequence's first grey is 1 - 41/255.
  for (const char* text : {"[[5.85000038,7.80000019,11.7000008],[0.390000015,3.90000013e+30,-0]]",
                           ",0.839215696,0.839215696,0.839215696,1]"}) {
    EXPECT_NE(out.find(text), std::string::npos) << text << "\n" << out;
  }
  // A position scaled past float range is written as null, keeping it JSON.
  ASSERT_EQ(Inspect("--scale 1e20 " + dir + "/m.ase", out), 0);
  EXPECT_TRUE(nlohmann::json::parse(out)["vertices"][1][1].is_null());
  WriteFile(dir + "/empty.ase", "");
  EXPECT_EQ(Inspect(dir + "/empty.ase", out), 0);
  EXPECT_EQ(nlohmann::json::parse(out)["faces"].size(), 0u);
  EXPECT_EQ(Inspect(dir + "/missing.ase", out), 1);
  EXPECT_EQ(Inspect(dir, out), 1);
  EXPECT_EQ(Inspect("", out), 2);
  EXPECT_EQ(Inspect("--scale abc " + dir + "/empty.ase", out), 2);
}
