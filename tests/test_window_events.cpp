// The shell's event loop on SDL's offscreen driver: late ticks, sizes, hiding, pointer, pad,
// failed starts; SDL's drawable size and refusals faked where offscreen has none.
#include <GL/gl.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "TestFiles.h"
#include "loop/Game.h"
#include "shell/Gamepad.h"
#include "shell/HeldStderr.h"
#include "shell/Shell.h"
#include "shell/core/RenderState.h"

namespace {
std::uint64_t gNow = 0;
int gDrawableScale = 1;  // pixels per window point: 2 on a HiDPI screen
enum class Refusal { kNone, kWindows, kContexts } gRefusal = Refusal::kNone;
}  // namespace

// SDL as the shell sees it: a drawable gDrawableScale times the window, and what gRefusal refuses.
extern "C" void SDL_GL_GetDrawableSize(SDL_Window* window, int* width, int* height) {
  SDL_GetWindowSize(window, width, height);
  *width *= gDrawableScale, *height *= gDrawableScale;
}
extern "C" SDL_Window* SDL_CreateWindow(const char* title, int x, int y, int w, int h,
                                        Uint32 flags) {
  if (gRefusal == Refusal::kWindows) return SDL_SetError("refused"), nullptr;
  auto real = reinterpret_cast<decltype(&SDL_CreateWindow)>(dlsym(RTLD_NEXT, "SDL_CreateWindow"));
  return real(title, x, y, w, h, flags);
}
extern "C" SDL_GLContext SDL_GL_CreateContext(SDL_Window* window) {
  if (gRefusal == Refusal::kContexts) return SDL_SetError("refused"), nullptr;
  auto real =
      reinterpret_cast<decltype(&SDL_GL_CreateContext)>(dlsym(RTLD_NEXT, "SDL_GL_CreateContext"));
  return real(window);
}

namespace {
// Runs a turn with an event waiting, so the turn never sleeps for long.
void Turn() {
  SDL_Event wake{};
  wake.type = SDL_USEREVENT;
  SDL_PushEvent(&wake);
  RunLoopTurn();
}

class Loop : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool started = false;  // one game for the whole program, set up as the entry does
    if (!started) {
      started = true;
      setenv("SDL_VIDEODRIVER", "offscreen", 1);
      gShellClock = [] { return gNow; };  // a clock turned by hand
      ASSERT_TRUE(OpenDisplay());
      ASSERT_TRUE(CreateGameWindow());
      ASSERT_TRUE(CreateGameContext());
      SetUpScene();
    }
    SDL_ShowWindow(gWindow);
    gNow = 1000;
    StartTickTimer(gTickTimer, gNow);
    Turn();  // the show's events handled, not yet a tick due
    ASSERT_FALSE(gPaused);
  }
};
}  // namespace

// Catches: the lost display's last words, written just before _exit, kept with the library lines
// held back while the audio device opens, and so never seen.
TEST(HeldStderr, LastWordsReachTheRealStderr) {
  const std::string path = MakeTempDir("stderr") + "/err";
  std::fflush(stderr);
  const int real = dup(STDERR_FILENO), file = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
  dup2(file, STDERR_FILENO);
  HeldStderr held;
  std::fputs("a library's line\n", stderr);
  EXPECT_EQ(write(UnheldStderr(), "last words\n", 11), 11);
  held.Drop();
  dup2(real, STDERR_FILENO), close(real), close(file);
  EXPECT_EQ(ReadFile(path), "last words\n");
}

// A start SDL refuses: the game's message, SDL's cause after it, and the exit code: 2 when no
// window could be made at all, 1 once one stands (its create handling posts the quit).
TEST(FailedStart, MessageCauseAndExitCode) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");    // each in a fresh process, SDL not started
  unsetenv("DISPLAY"), unsetenv("WAYLAND_DISPLAY");  // no error box to wait on
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  gRefusal = Refusal::kWindows;
  EXPECT_EXIT(std::exit(ApplicationMain()), ::testing::ExitedWithCode(2),
              "Window Creation Error.\ncourtball: no window could be made \\(SDL: refused\\)\n");
  gRefusal = Refusal::kContexts;
  EXPECT_EXIT(
      std::exit(ApplicationMain()), ::testing::ExitedWithCode(1),
      "Can't Create A GL Rendering Context.\ncourtball: no GL context \\(SDL: refused\\)\n");
  gRefusal = Refusal::kNone;  // the statements ran in their own processes; this one goes on
}

// A late tick runs once and the next waits for the grid's next step; hidden, no tick however
// late; shown again, a fresh grid, not a burst for the time away.
TEST_F(Loop, TicksOnTheGridOnceWhenLateNoneWhileHidden) {
  const int turns[][3] = {// {the clock, the window hidden, ticks so far}
                          {1075, 0, 1}, {1075, 0, 1}, {1080, 0, 2}, {9000, 1, 2},
                          {9000, 1, 2}, {9000, 0, 2}, {9019, 0, 2}, {9020, 0, 3}};
  gCamera.orbitAngle = 10.0f;  // a degree a tick, far from the wrap
  for (const auto& t : turns) {
    t[1] ? SDL_HideWindow(gWindow) : SDL_ShowWindow(gWindow);
    gNow = t[0];
    Turn();
    EXPECT_EQ(gCamera.orbitAngle, 10.0f + t[2]) << "at " << t[0];
    EXPECT_EQ(gPaused, t[1] != 0) << "at " << t[0];
  }
}

// The size message sets the viewport to the drawable's pixels (twice the window's points each way
// on a HiDPI screen) and a projection of its shape, the aspect rounded to a float (1280 x 800
// tells), model-view left selected; a height of 0 (called directly) divides by 1. The pointer, in
// points, is measured in the 1024x768 frame: here at 512, 150 whatever the size.
TEST_F(Loop, SizeMessageSetsViewportProjectionAndThePointersFrame) {
  const struct {
    int width, height, scale, viewportHeight;
    float xScale;  // cot 30 over the aspect; depth from 1 to 12000 worked in double, kept as float
    int x, y;      // the pointer
  } cases[] = {{1280, 800, 1, 800, 1.08253169f, 640, 157},
               {1024, 768, 2, 1536, 1.29903805f, 512, 150},
               {2048, 1536, 1, 1536, 1.29903805f, 1024, 300},
               {640, 0, 1, 1, 0.00270632934f, 0, 0}};
  SDL_SetWindowFullscreen(gWindow, 0);
  gAutoPlay = 0;
  for (const auto& c : cases) {
    gDrawableScale = c.scale;
    glMatrixMode(GL_PROJECTION);
    if (c.height == 0) ResizeViewport(c.width, c.height);
    if (c.height != 0) SDL_SetWindowSize(gWindow, c.width, c.height);
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.windowID = SDL_GetWindowID(gWindow);
    move.motion.x = c.x, move.motion.y = c.y;
    if (c.height != 0) SDL_PushEvent(&move);
    Turn();
    GLint viewport[4], mode = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4),
              (std::vector<GLint>{0, 0, c.width * c.scale, c.viewportHeight}));
    EXPECT_EQ(mode, GL_MODELVIEW);
    std::vector<GLfloat> projection(16);
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    EXPECT_EQ(projection, (std::vector<GLfloat>{c.xScale, 0, 0, 0, 0, 1.73205078f, 0, 0, 0, 0,
                                                -1.00016665f, -1, 0, 0, -2.00016665f, 0}))
        << c.width << "x" << c.height;
    if (c.height == 0) continue;
    EXPECT_EQ((std::vector<float>{gPaddles[1].position.x, gPaddles[1].position.y}),
              (std::vector<float>{512.0f - 330.0f, 348.0f - 150.0f}))
        << c.width << "x" << c.height << " scale " << c.scale;
  }
  gDrawableScale = 1;
  gAutoPlay = 1;
}

// A pad through the loop: A acts as Space, the stick moves the near paddle on the next tick, and
// the tick rumbles it at every bounce off the near end and at no other.
TEST_F(Loop, PadButtonStickAndRumbleGoThroughTheLoop) {
  // An offscreen window never has the focus SDL wants for pad input.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  StartGamepads();
  gAutoPlay = 1;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  static int rumbled;
  desc.Rumble = [](void*, Uint16 low, Uint16 high) { return rumbled += low > 0 && high > 0, 0; };
  SDL_Joystick* pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
  Turn();  // the pad arrives
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_GameControllerUpdate();
  Turn();
  EXPECT_EQ(gAutoPlay, 0) << "A did not hand the paddle over";
  gPaddles[1].SetPosition(0.0f, 200.0f, 415.0f);  // clear of its limits
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  SDL_GameControllerUpdate();
  gNow += 20;
  Turn();
  EXPECT_GT(gPaddles[1].position.x, 0.0f) << "the stick did not move the paddle";
  // Ticks of each kind: near end, far end, side wall, roof, no bounce; and their rumbles.
  int ticks[5] = {}, rumbles[5] = {};
  for (int i = 0; i < 2000 && *std::min_element(ticks, ticks + 4) < 2; ++i) {
    const int before = rumbled;
    gNow += 20;
    Turn();
    SDL_JoystickRumble(pad, 0, 0, 0);  // stopped, so that SDL passes on the next one too
    const bool wall = std::fabs(gBall.position.x) == 350.0f, roof = gBall.position.y == 370.0f;
    const int kind = gBallResult ? (gBallResult < 0 ? 0 : 1) : (wall ? 2 : (roof ? 3 : 4));
    ++ticks[kind];
    rumbles[kind] += rumbled - before;
  }
  EXPECT_GE(*std::min_element(ticks, ticks + 4), 2) << "a kind of bounce never came";
  EXPECT_EQ(std::vector<int>(rumbles, rumbles + 5), (std::vector<int>{ticks[0], 0, 0, 0, 0}));
  SDL_JoystickClose(pad);
  SDL_JoystickDetachVirtual(0);
  StopGamepads();
  gAutoPlay = 1;
}
