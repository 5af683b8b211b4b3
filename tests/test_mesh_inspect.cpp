// courtball-data inspect: valid JSON, %.9g numbers, exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "TestFiles.h"

namespace {
struct ToolRun {
  std::string out;
  int status;
};

ToolRun Inspect(const std::string& arguments) {
  const std::string command = std::string(COURTBALL_DATA_TOOL) + " inspect " + arguments +
                              " 2>/dev/null";
  ToolRun run{"", -1};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}
}  // namespace

TEST(Inspect, PrintsTheLoadedModel) {
  const std::string dir = MakeTempDir("inspect");
  WriteFile(dir + "/m.ase",
            "*MESH_VERTEX 0 1.5 2 3\r\n*MESH_VERTEX 1 0.1 1e30 -0.0\r\n"
            "*MESH_FACE 0: A: 0 B: 1 C: 7000\r\n*MESH_VERTEXNORMAL 0 0 0 1\r\n"
            "*MESH_TVERT 0 0.5 0.25 0\r\n");
  for (const char* flags : {"--json --scale 3.9", "--scale=3.9"}) {
    const ToolRun run = Inspect(std::string(flags) + " " + dir + "/m.ase");
    ASSERT_EQ(run.status, 0) << flags;
    const nlohmann::json j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["vertexCount"], 2);
    EXPECT_EQ(j["faces"][0][2], 7000);
    EXPECT_EQ(j["normals"][0][1], -1.0);
    EXPECT_EQ(j["texVertices"].size(), 1u);
    // Numbers as %.9g prints the stored floats; the first grey of a fresh
    // sequence is 1 - 41/255.
    for (const char* text : {"[[5.85000038,7.80000019,11.7000008],[0.390000015,"
                             "3.90000013e+30,-0]]",
                             ",0.839215696,0.839215696,0.839215696,1]"}) {
      EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
    }
  }
  // A position scaled past float range is written as null, keeping it JSON.
  const ToolRun huge = Inspect("--scale 1e20 " + dir + "/m.ase");
  ASSERT_EQ(huge.status, 0);
  EXPECT_TRUE(nlohmann::json::parse(huge.out)["vertices"][1][1].is_null());
}

TEST(Inspect, ExitCodes) {
  const std::string dir = MakeTempDir("inspect-codes");
  WriteFile(dir + "/empty.ase", "");
  const ToolRun empty = Inspect(dir + "/empty.ase");
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(nlohmann::json::parse(empty.out)["faces"].size(), 0u);
  EXPECT_EQ(Inspect(dir + "/missing.ase").status, 1);
  EXPECT_EQ(Inspect(dir).status, 1);
  EXPECT_EQ(Inspect("").status, 2);
  EXPECT_EQ(Inspect("--scale abc " + dir + "/empty.ase").status, 2);
}
