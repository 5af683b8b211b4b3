// The shell's event loop on SDL's offscreen driver: late ticks, sizes, hiding, pointer, pad.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "loop/Game.h"
#include "shell/Gamepad.h"
#include "shell/Shell.h"
#include "shell/core/RenderState.h"

namespace {
std::uint64_t gNow = 0;

// Runs a turn with an event waiting, so the turn never sleeps for long.
void Turn() {
  SDL_Event wake{};
  wake.type = SDL_USEREVENT;
  SDL_PushEvent(&wake);
  RunLoopTurn();
}

float Orbit() { return gCamera.orbitAngle; }

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

// A late tick runs once; the next waits for the grid's next step.
TEST_F(Loop, LateTickRunsOnceNeverAsABurst) {
  const float before = Orbit();
  gNow = 1075;  // three steps late
  Turn();
  EXPECT_EQ(Orbit(), before + 1.0f) << "ticks run at 1075";
  Turn();
  EXPECT_EQ(Orbit(), before + 1.0f) << "a second tick before the step at 1080";
  gNow = 1080;
  Turn();
  EXPECT_EQ(Orbit(), before + 2.0f) << "no tick at the step of 1080";
}

// Hidden: no tick however late; shown again: a fresh grid, not a burst for the time away.
TEST_F(Loop, HiddenGameStopsAndGoesOnOnAFreshGrid) {
  const float before = Orbit();
  SDL_HideWindow(gWindow);
  gNow = 9000;
  Turn();
  Turn();
  EXPECT_TRUE(gPaused);
  EXPECT_EQ(Orbit(), before) << "ticked while hidden";
  SDL_ShowWindow(gWindow);
  Turn();
  EXPECT_FALSE(gPaused);
  EXPECT_EQ(Orbit(), before) << "ticked on showing";
  gNow = 9019;
  Turn();
  EXPECT_EQ(Orbit(), before) << "ticked before the fresh grid's first step";
  gNow = 9020;
  Turn();
  EXPECT_EQ(Orbit(), before + 1.0f) << "no tick on the fresh grid";
}

// The size message sets the viewport and a projection of its shape, the aspect rounded to a float
// (1280 x 800 tells) and model-view left selected; a height of 0 (called directly) divides by 1.
TEST_F(Loop, SizeMessageSetsViewportAndProjection) {
  const struct {
    int width, height, viewportHeight;
    float xScale;  // cot 30 over the aspect; depth from 1 to 12000 worked in double, kept as float
  } cases[] = {
      {1280, 800, 800, 1.08253169f}, {1024, 768, 768, 1.29903805f}, {640, 0, 1, 0.00270632934f}};
  SDL_SetWindowFullscreen(gWindow, 0);
  for (const auto& c : cases) {
    glMatrixMode(GL_PROJECTION);
    if (c.height == 0) ResizeViewport(c.width, c.height);
    if (c.height != 0) SDL_SetWindowSize(gWindow, c.width, c.height);
    Turn();
    GLint viewport[4], mode = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4),
              (std::vector<GLint>{0, 0, c.width, c.viewportHeight}));
    EXPECT_EQ(mode, GL_MODELVIEW);
    std::vector<GLfloat> projection(16);
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    EXPECT_EQ(projection, (std::vector<GLfloat>{c.xScale, 0, 0, 0, 0, 1.73205078f, 0, 0, 0, 0,
                                                -1.00016665f, -1, 0, 0, -2.00016665f, 0}))
        << c.width << "x" << c.height;
  }
}

// The pointer on a window of another size is measured in the 1024x768 frame.
TEST_F(Loop, PointerOnAnySizeMovesThePaddleByItsShare) {
  SDL_SetWindowFullscreen(gWindow, 0);
  SDL_SetWindowSize(gWindow, 2048, 1536);
  gAutoPlay = 0;
  SDL_Event move{};
  move.type = SDL_MOUSEMOTION;
  move.motion.windowID = SDL_GetWindowID(gWindow);
  move.motion.x = 1024;  // 512 in the game's frame
  move.motion.y = 300;   // 150
  SDL_PushEvent(&move);
  Turn();
  gAutoPlay = 1;
  EXPECT_EQ(gPaddles[1].position.x, 512.0f - 330.0f);
  EXPECT_EQ(gPaddles[1].position.y, 348.0f - 150.0f);
}

// A pad through the loop: A acts as Space, the stick moves the near paddle on the next tick.
TEST_F(Loop, PadButtonAndStickGoThroughTheLoop) {
  // An offscreen window never has the focus SDL wants for pad input.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  StartGamepads();
  gAutoPlay = 1;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  SDL_Joystick* pad = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
  Turn();  // the pad arrives
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_GameControllerUpdate();
  Turn();
  EXPECT_EQ(gAutoPlay, 0) << "A did not hand the paddle over";
  const float x = gPaddles[1].position.x;
  SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  SDL_GameControllerUpdate();
  gNow += 20;
  Turn();
  EXPECT_GT(gPaddles[1].position.x, x) << "the stick did not move the paddle";
  SDL_JoystickClose(pad);
  SDL_JoystickDetachVirtual(0);
  StopGamepads();
  gAutoPlay = 1;
}
