// Main.cpp -- courtball-capture: runs the game's own set-up, ticks and frames
// on a headless 1024x768 GL context, as the game does on its timer messages,
// and writes chosen frames as pictures, every tick as a trace row and the
// run's sound, mixed as the game mixes it, as a WAV file.
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
#include "common/WavFile.h"
#include "headless/HeadlessContext.h"
#include "image/Textures.h"
#include "loop/Game.h"
#include "shell/KeyMap.h"
#include "shell/SoundFile.h"
#include "shell/core/GameInput.h"
#include "shell/core/PadInput.h"
#include "shell/core/RenderState.h"
#include "step/GameStep.h"
#include "step/Trace.h"

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

struct Options {
  int frames = 100;
  std::string pngList, outDir, keys, mouse, pad, padButtons, wavPath;
  bool trace = false;
  bool timing = false;
  std::vector<int> pngFrames;
  std::vector<ScheduledKey> keyPresses;
  std::vector<ScheduledMouse> mouseMoves;
  std::vector<ScheduledPad> padMoves;
  std::vector<ScheduledButton> padPresses;
  AnimationOptions animation;
};

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

// The inputs scheduled before a tick, in the order the game would meet them
// within one turn of its loop: keys, mouse, pad buttons, then the stick as
// held at the tick. False when Back ends the game before the tick.
bool FeedInput(const Options& options, int tick, PadStick& stick) {
  for (const ScheduledKey& k : options.keyPresses) {
    if (k.tick == tick) HandleGameKey(k.key);
  }
  for (const ScheduledMouse& m : options.mouseMoves) {
    if (m.tick == tick) HandleMouseMove(m.x, m.y);
  }
  for (const ScheduledButton& b : options.padPresses) {
    if (b.tick != tick) continue;
    const int key = GameKeyFromPadButton(b.button);
    if (key == kKeyEscape) return false;
    HandleGameKey(key);
  }
  for (const ScheduledPad& p : options.padMoves) {
    if (p.tick == tick) stick.x = p.x, stick.y = p.y;
  }
  MovePaddleByPad(stick);
  return true;
}

// The run's sound: the game's files loaded as the game loads them, one tick's
// worth mixed after every tick.
class SoundTrack {
 public:
  bool Open(const std::string& path) {
    path_ = path;
    if (path.empty()) return true;
    LoadGameSounds();
    return writer_.Open(path, 2, kSoundRate) || Fail();
  }
  bool AddTick() {
    if (path_.empty()) return true;
    gMixer.Mix(samples_, kTickFrames);
    return writer_.Append(samples_, 2 * kTickFrames) || Fail();
  }
  bool Close() { return path_.empty() || writer_.Close() || Fail(); }

 private:
  bool Fail() {
    std::cerr << "courtball-capture: cannot write " << path_ << "\n";
    return false;
  }
  std::string path_;
  WavWriter writer_;
  int16_t samples_[2 * kTickFrames];
};

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

// What the tool does around each of the game's steps: the tick's sound
// mixed, its trace row, and with --timing the tick's and the frame's times.
class CaptureWatch : public StepWatch {
 public:
  CaptureWatch(const Options& options, SoundTrack& sound) : options_(options), sound_(sound) {}
  bool soundWritten = true;

  void BeforeStep(int tick) {
    tick_ = tick;
    cpuStart_ = options_.timing ? ProcessCpuNanoseconds() : 0;
    start_ = std::chrono::steady_clock::now();
  }
  void AfterTick() override {
    tickNs_ = Nanoseconds(start_);
    soundWritten = sound_.AddTick() && soundWritten;
    if (options_.trace) glow_ = ReadGlowSums();
    frameStart_ = std::chrono::steady_clock::now();
  }
  void AfterFrame() override {
    if (options_.timing) {
      glFinish();  // the software renderer works behind the call; wait for it
      std::fprintf(stderr, "timing\t%d\t%lld\t%lld\t%lld\n", tick_, tickNs_,
                   Nanoseconds(frameStart_), ProcessCpuNanoseconds() - cpuStart_);
    }
    if (options_.trace) PrintTraceRow(tick_, glow_);
  }

 private:
  const Options& options_;
  SoundTrack& sound_;
  int tick_ = 0;
  GlowSums glow_{};
  std::chrono::steady_clock::time_point start_, frameStart_;
  long long cpuStart_ = 0, tickNs_ = 0;
};

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
  SoundTrack sound;
  if (!sound.Open(options.wavPath)) return 1;
  CaptureWatch watch(options, sound);
  PadStick stick;
  for (int tick = 1; tick <= options.frames; ++tick) {
    if (!FeedInput(options, tick, stick)) break;
    watch.BeforeStep(tick);
    RunGameStep(&watch);
    if (!watch.soundWritten) return 1;
    if (wanted.count(tick) && !SaveFrame(context, options.outDir, tick)) return 1;
    if (animation.Wants(tick) && !animation.Add(context.ReadPixels())) return 1;
  }
  if (!animation.Finish() || !sound.Close()) return 1;
  std::fflush(stdout);
  return 0;
}

// Parses the schedules and checks the output folder; false on bad arguments.
bool Prepare(Options& options) {
  std::string error;
  if ((!options.keys.empty() && !ParseKeySchedule(options.keys, options.keyPresses, error)) ||
      (!options.mouse.empty() && !ParseMouseSchedule(options.mouse, options.mouseMoves, error)) ||
      (!options.pad.empty() && !ParsePadSchedule(options.pad, options.padMoves, error)) ||
      (!options.padButtons.empty() &&
       !ParsePadButtons(options.padButtons, options.padPresses, error)) ||
      (!options.pngList.empty() && !ParseFrameList(options.pngList, options.pngFrames, error)) ||
      // --to may lengthen the run, so the last tick is known only after it.
      !CheckAnimationOptions(options.animation, options.frames, error) ||
      !CheckLastTick(options.frames, options.keyPresses, options.mouseMoves, options.padMoves,
                     options.padPresses, options.pngFrames, error)) {
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
  app.add_option("--pad", options.pad,
                 "the pad's stick, held from a tick on, X and Y from -32768 to 32767, "
                 "e.g. 40:-32768:0,70:0:0")
      ->check(RefuseEmptyList);
  app.add_option("--pad-button", options.padButtons,
                 "pad buttons pressed before ticks: A (Space), Y (R), Back (Esc: the run ends), "
                 "e.g. 30:Y,60:A")
      ->check(RefuseEmptyList);
  app.add_option("--wav", options.wavPath,
                 "write the run's sound, mixed as the game mixes it, to OUT.wav "
                 "(44100 Hz 16-bit stereo, one tick's 20 ms after each tick)");
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
