// Main.cpp -- courtball-capture: runs the game's own set-up, ticks and frames
// on a headless 1024x768 GL context, as the game does on its timer messages,
// and writes chosen frames as pictures and every tick as a trace row.
#include <GL/gl.h>
#include <time.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <vector>

#include "capture/Animation.h"
#include "capture/Schedule.h"
#include "common/PngFile.h"
#include "headless/HeadlessContext.h"
#include "image/Textures.h"
#include "loop/Game.h"
#include "shell/core/GameInput.h"
#include "shell/core/RenderState.h"

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

struct Options {
  int frames = 100;
  std::string pngList, outDir, keys, mouse;
  bool trace = false;
  bool timing = false;
  std::vector<int> pngFrames;
  std::vector<ScheduledKey> keyPresses;
  std::vector<ScheduledMouse> mouseMoves;
  AnimationOptions animation;
};

// The glow each tick paints, summed per model (red + green + blue + alpha of
// every vertex), read before the frame's draws fade or clear it.
struct GlowSums {
  float left, roof, right, far, near, floor;
};

float SumGlow(const Vertex* glow, int count) {
  float sum = 0.0f;
  for (int i = 0; i < count; ++i) sum += glow[i].x + glow[i].y + glow[i].z + glow[i].s;
  return sum;
}

float SumGlow(const MeshModel& model) {
  return SumGlow(model.glow.get(), CappedCount(model.vertexCount));
}

GlowSums ReadGlowSums() {
  return GlowSums{SumGlow(gWalls[0]),   SumGlow(gWalls[1]),
                  SumGlow(gWalls[2]),   SumGlow(gPaddles[0]),
                  SumGlow(gPaddles[1]), SumGlow(gTerrain.glow.get(), Terrain::kVertexCount)};
}

void PrintTraceHeader() {
  std::printf(
      "tick\tball.x\tball.y\tball.z\tvel.x\tvel.y\tvel.z\torbitAngle\tcam.x\tcam.y\tcam.z"
      "\tpitch\tyaw\troll\tfar.x\tfar.y\tfar.z\tnear.x\tnear.y\tnear.z"
      "\tglow.left\tglow.roof\tglow.right\tglow.far\tglow.near\tglow.floor"
      "\ttitle.frames\ttitle.angle\ttitle.size\tball.texture\n");
}

// The ball's texture is the GL name its frame drew with: names go out in the
// order the bitmaps load, so Ball1.bmp's is 3 and Ball6.bmp's 8.
void PrintTraceRow(int tick, const GlowSums& g) {
  const Vertex& b = gBall.position;
  const Vertex& v = gBall.velocity;
  const Vertex& c = gCamera.position;
  const Vertex& a = gCamera.angles;
  const Vec3& f = gPaddles[0].position;
  const Vec3& n = gPaddles[1].position;
  std::printf(
      "%d\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g"
      "\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g\t%.9g"
      "\t%d\t%.9g\t%.9g\t%u\n",
      tick, b.x, b.y, b.z, v.x, v.y, v.z, gCamera.orbitAngle, c.x, c.y, c.z, a.x, a.y, a.z, f.x,
      f.y, f.z, n.x, n.y, n.z, g.left, g.roof, g.right, g.far, g.near, g.floor, gTitleFrameCount,
      gTitleAngle, gTitleSize, gBallTextures[gBallFrame]);
}

bool SaveFrame(const HeadlessContext& context, const std::string& outDir, int frame) {
  std::vector<unsigned char> pixels = context.ReadPixels();
  char name[32];
  std::snprintf(name, sizeof name, "frame-%05d.png", frame);
  std::string path = (std::filesystem::path(outDir) / name).string();
  std::FILE* out = std::fopen(path.c_str(), "wb");
  bool ok = out && WriteUprightPng(out, kWidth, kHeight, pixels.data());
  if (out) ok = std::fclose(out) == 0 && ok;
  if (!ok) std::cerr << "courtball-capture: cannot write " << path << "\n";
  return ok;
}

void FeedInput(const Options& options, int tick) {
  for (const ScheduledKey& k : options.keyPresses) {
    if (k.tick == tick) HandleGameKey(k.key);
  }
  for (const ScheduledMouse& m : options.mouseMoves) {
    if (m.tick == tick) HandleMouseMove(m.x, m.y);
  }
}

// CPU time of the whole process, the software renderer's threads included.
long long ProcessCpuNanoseconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<long long>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

long long Nanoseconds(std::chrono::steady_clock::time_point from) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                              from)
      .count();
}

int Run(const Options& options) {
  HeadlessContext context;
  std::string error;
  if (!context.Create(kWidth, kHeight, error)) {
    std::cerr << "courtball-capture: " << error << "\n";
    return 1;
  }
  InitRenderState();
  ResizeViewport(kWidth, kHeight);
  // Where the tests start from too, so the golden run vouches for the reset.
  ResetGameState();
  auto start = std::chrono::steady_clock::now();
  SetUpScene();
  if (options.timing) std::fprintf(stderr, "setup\t%lld\n", Nanoseconds(start));
  if (options.trace) PrintTraceHeader();
  std::set<int> wanted(options.pngFrames.begin(), options.pngFrames.end());
  AnimationWriter animation(options.animation, kWidth, kHeight);
  for (int tick = 1; tick <= options.frames; ++tick) {
    FeedInput(options, tick);
    long long cpuStart = options.timing ? ProcessCpuNanoseconds() : 0;
    auto tickStart = std::chrono::steady_clock::now();
    TickGame();
    long long tickNs = Nanoseconds(tickStart);
    const GlowSums glow = options.trace ? ReadGlowSums() : GlowSums{};
    auto frameStart = std::chrono::steady_clock::now();
    RenderFrame();
    if (options.timing) {
      glFinish();  // the software renderer works behind the call; wait for it
      long long frameNs = Nanoseconds(frameStart);
      std::fprintf(stderr, "timing\t%d\t%lld\t%lld\t%lld\n", tick, tickNs, frameNs,
                   ProcessCpuNanoseconds() - cpuStart);
    }
    if (options.trace) PrintTraceRow(tick, glow);
    if (wanted.count(tick) && !SaveFrame(context, options.outDir, tick)) return 1;
    if (animation.Wants(tick) && !animation.Add(context.ReadPixels())) return 1;
  }
  if (!animation.Finish()) return 1;
  std::fflush(stdout);
  return 0;
}

// Parses the schedules and checks the output folder; false on bad arguments.
bool Prepare(Options& options) {
  std::string error;
  if ((!options.keys.empty() && !ParseKeySchedule(options.keys, options.keyPresses, error)) ||
      (!options.mouse.empty() && !ParseMouseSchedule(options.mouse, options.mouseMoves, error)) ||
      (!options.pngList.empty() && !ParseFrameList(options.pngList, options.pngFrames, error)) ||
      // --to may lengthen the run, so the last tick is known only after it.
      !CheckAnimationOptions(options.animation, options.frames, error) ||
      !CheckLastTick(options.frames, options.keyPresses, options.mouseMoves, options.pngFrames,
                     error)) {
    std::cerr << "courtball-capture: " << error << "\n";
    return false;
  }
  if (!options.pngFrames.empty() && options.outDir.empty()) {
    std::cerr << "courtball-capture: --png needs --out DIR\n";
    return false;
  }
  if (!options.outDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.outDir, ec);
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "courtball-capture: play the game headlessly from the data files in the working directory,\n"
      "tick by tick as the game does, writing pictures and a per-tick trace"};
  Options options;
  app.add_option("--frames", options.frames, "number of ticks, each followed by its frame")
      ->check(CLI::Range(0, 10000000));
  app.add_option("--png", options.pngList, "frames to save as DIR/frame-NNNNN.png, e.g. 1,90,300")
      ->check(RefuseEmptyList);
  app.add_option("--out", options.outDir, "folder for the pictures (created if missing)");
  app.add_flag("--trace", options.trace,
               "print a TSV row per tick to stdout: state after the frame, glow before it");
  app.add_option("--keys", options.keys, "key presses before ticks, e.g. 30:R,60:Space")
      ->check(RefuseEmptyList);
  app.add_option("--mouse", options.mouse, "mouse positions before ticks, e.g. 61:100:200")
      ->check(RefuseEmptyList);
  AddAnimationOptions(app, options.animation);
  app.add_flag("--timing", options.timing,
               "print set-up time and per tick: tick, frame and CPU ns (stderr)");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }
  if (!Prepare(options)) return 2;
  return Run(options);
}
