// The whole game in-process on the generated data: set-up, tick, frame order
// and state, title card, input. One scene for the suite, used in file order.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

#include "GlHarness.h"
#include "image/Textures.h"
#include "loop/Game.h"
#include "math/GameRandom.h"
#include "shell/core/GameInput.h"
#include "shell/core/RenderState.h"

namespace {
struct Observed {
  DrawItem item;
  bool culling;
  GLfloat light[4];
};
std::vector<Observed> gObserved;

void Record(DrawItem item) {
  Observed o{item, glIsEnabled(GL_CULL_FACE) == GL_TRUE, {}};
  glGetLightfv(GL_LIGHT0, GL_POSITION, o.light);
  gObserved.push_back(o);
}

std::vector<DrawItem> FrameOrder(float angle, int wallsFirst) {
  gCamera.orbitAngle = angle;
  gWallsFirst = wallsFirst;
  gTitleActive = 0;
  gObserved.clear();
  RenderFrame();
  std::vector<DrawItem> order;
  for (const Observed& o : gObserved) order.push_back(o.item);
  return order;
}

HeadlessContext* gContext = nullptr;
}  // namespace

// Registered first, so it runs before the suite below makes any GL context.
TEST(BallAtStart, MeshIsReadBeforeAnyWindowOrContextExists) {
  EXPECT_EQ(glGetString(GL_VERSION), nullptr);  // no context yet
  EXPECT_GT(gBall.mesh.vertexCount, 0);
  EXPECT_GT(gBall.mesh.faceCount, 0);
  EXPECT_EQ(gBall.velocity.x, -19.0f);
  EXPECT_EQ(gBall.velocity.z, -26.0f);
}

// One context and one scene for the whole suite, as in the game.
class Game : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gContext = new HeadlessContext;
    std::string error;
    ASSERT_TRUE(gContext->Create(1024, 768, error)) << error;
    InitRenderState();
    ResizeViewport(1024, 768);
    SetUpScene();
    gDrawObserver = Record;
  }
  static void TearDownTestSuite() {
    gDrawObserver = nullptr;
    delete gContext;
  }
};

TEST_F(Game, SetUpArrangesTheCourt) {
  EXPECT_EQ(gCamera.orbitAngle, 180.0f);
  EXPECT_EQ(gCamera.autoRotate, 1);
  EXPECT_EQ(gCameraTarget.y, 10.0f);
  EXPECT_EQ(gLightVector.y, 1.0f);
  for (MeshModel& wall : gWalls) {
    ASSERT_GT(wall.faceCount, 0);
    EXPECT_EQ(wall.faces[0].alpha, 0.5f);
    EXPECT_EQ(wall.position.y, 20.0f);
    EXPECT_EQ(wall.glowDecay, 0);
  }
  for (MeshModel& paddle : gPaddles) {
    ASSERT_GT(paddle.faceCount, 0);
    EXPECT_EQ(paddle.faces[0].alpha, 0.6f);
    EXPECT_EQ(paddle.faces[0].red, 1.0f);
    EXPECT_EQ(paddle.glowDecay, 1);
  }
  EXPECT_EQ(gPaddles[0].faceCount, gPaddles[1].faceCount);  // one file, read twice
  EXPECT_NE(gPaddles[0].vertices.get(), gPaddles[1].vertices.get());
  EXPECT_EQ(gCaseModel.position.y, 20.0f);
  EXPECT_EQ(gCaseModel.faces[0].red, 1.0f);
  std::set<unsigned> names{gTitleTexture, gEnvMapTexture};
  for (unsigned name : gBallTextures) names.insert(name);
  EXPECT_EQ(names.size(), 8u);
  EXPECT_EQ(names.count(0u), 0u);
}

TEST_F(Game, WallsTakeTheirGreysFromTheGeneratorInSetUpOrder) {
  // Draws before the walls' colours: the ball's velocity and one grey per face
  // of every mesh read, the ball's white, the two paddles' white.
  int before = 3 + gBall.mesh.faceCount + 1 + gCaseModel.faceCount + 2 * gPaddles[0].faceCount +
               gWalls[0].faceCount + gWalls[1].faceCount + gWalls[2].faceCount + 2;
  ResetGameRandom();
  for (int i = 0; i < before; ++i) GameRandom();
  for (MeshModel& wall : gWalls) {
    float grey = 1.0f - static_cast<float>(GameRandom() % 26) / 255.0f;
    EXPECT_EQ(wall.faces[0].red, grey);
    EXPECT_EQ(wall.faces[wall.faceCount - 1].blue, grey);
  }
}

TEST_F(Game, FirstTickMovesPaddlesOneStepBehindTheBall) {
  TickGame();
  EXPECT_EQ(gPaddles[0].position.x, 0.0f);
  EXPECT_EQ(gPaddles[0].position.y, 200.0f);
  EXPECT_EQ(gPaddles[0].position.z, -415.0f);
  EXPECT_EQ(gPaddles[1].position.z, 415.0f);
  EXPECT_EQ(gBall.position.x, -19.0f);
  EXPECT_EQ(gBall.position.y, 207.0f);
  EXPECT_EQ(gBall.position.z, -26.0f);
  EXPECT_EQ(gCamera.orbitAngle, 181.0f);
  TickGame();
  EXPECT_EQ(gPaddles[1].position.x, -19.0f);
  EXPECT_EQ(gPaddles[1].position.y, 207.0f);
}

namespace {
float GlowSum(const MeshModel& m) {
  float sum = 0.0f;
  for (int i = 0; i < m.vertexCount; ++i) sum += m.glow[i].x + m.glow[i].s;
  return sum;
}
}  // namespace

TEST_F(Game, ReachingAnEndFlashesThatPaddleOnly) {
  for (MeshModel& paddle : gPaddles)
    for (int i = 0; i < paddle.vertexCount; ++i) paddle.glow[i] = Vertex{};
  gBall.position = Vertex{10.0f, 150.0f, -355.0f, 0, 0};
  gBall.velocity = Vertex{0.0f, 0.0f, -10.0f, 0, 0};
  gBall.previousHeight = 150.0f;
  TickGame();
  EXPECT_EQ(gBallPosition.z, -400.0f);
  EXPECT_EQ(gBallPosition.x, 10.0f);
  EXPECT_GT(GlowSum(gPaddles[0]), 0.0f);
  EXPECT_EQ(GlowSum(gPaddles[1]), 0.0f);

  gBall.position = Vertex{10.0f, 150.0f, 355.0f, 0, 0};
  gBall.velocity = Vertex{0.0f, 0.0f, 10.0f, 0, 0};
  float farBefore = GlowSum(gPaddles[0]);
  TickGame();
  EXPECT_EQ(gBallPosition.z, 400.0f);
  EXPECT_GT(GlowSum(gPaddles[1]), 0.0f);
  EXPECT_EQ(GlowSum(gPaddles[0]), farBefore);
}

TEST_F(Game, DrawOrderFollowsTheOrbitAngleAndTheToggle) {
  using D = DrawItem;
  const std::vector<D> at181 = {D::kCase,       D::kFloor, D::kFarPaddle, D::kBall,
                                D::kNearPaddle, D::kRoof,  D::kLeftWall,  D::kRightWall};
  EXPECT_EQ(FrameOrder(181.0f, 0), at181);
  const std::vector<D> at180Walls = {D::kCase,     D::kFloor,     D::kRoof, D::kRightWall,
                                     D::kLeftWall, D::kFarPaddle, D::kBall, D::kNearPaddle};
  EXPECT_EQ(FrameOrder(180.0f, 1), at180Walls);
  const std::vector<D> at90 = {D::kCase,      D::kFloor, D::kNearPaddle, D::kBall,
                               D::kFarPaddle, D::kRoof,  D::kRightWall,  D::kLeftWall};
  EXPECT_EQ(FrameOrder(90.0f, 0), at90);
  const std::vector<D> at270 = {D::kCase,      D::kFloor, D::kNearPaddle, D::kBall,
                                D::kFarPaddle, D::kRoof,  D::kLeftWall,   D::kRightWall};
  EXPECT_EQ(FrameOrder(270.0f, 0), at270);
  gWallsFirst = 0;
}

TEST_F(Game, CullingIsOffForExactlyTheWalls) {
  FrameOrder(200.0f, 0);
  gTitleActive = 1;
  gTitleFrameCount = 0;
  gObserved.clear();
  RenderFrame();
  ASSERT_EQ(gObserved.size(), 9u);
  for (const Observed& o : gObserved) {
    bool wall = o.item == DrawItem::kRoof || o.item == DrawItem::kLeftWall ||
                o.item == DrawItem::kRightWall;
    EXPECT_EQ(o.culling, !wall) << "item " << static_cast<int>(o.item);
  }
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(Game, CaseIsLitByThePreviousFramesLight) {
  gTitleActive = 1;
  gTitleFrameCount = 0;
  gTitleSize = 1.0f;
  gTitleAngle = 0.0f;
  RenderFrame();
  gObserved.clear();
  RenderFrame();
  ASSERT_EQ(gObserved.front().item, DrawItem::kCase);
  EXPECT_EQ(gObserved.front().light[1], 100.0f);  // the card's overhead light
  EXPECT_EQ(gObserved.front().light[0], 0.0f);

  gTitleActive = 0;
  RenderFrame();  // the floor's light, last set by this frame
  GLfloat floorLight[4];
  glGetLightfv(GL_LIGHT0, GL_POSITION, floorLight);
  gObserved.clear();
  RenderFrame();
  for (int k = 0; k < 4; ++k) EXPECT_EQ(gObserved.front().light[k], floorLight[k]);
  EXPECT_NE(floorLight[1], 100.0f);
}

TEST_F(Game, TitleCardShowsFor87FramesThenStaysGone) {
  gTitleActive = 1;
  gTitleFrameCount = 0;
  gTitleAngle = 0.0f;
  gTitleSize = 1.0f;
  int cards = 0;
  for (int frame = 1; frame <= 120; ++frame) {
    gObserved.clear();
    RenderFrame();
    for (const Observed& o : gObserved) cards += o.item == DrawItem::kTitle;
    if (frame == 20) {
      EXPECT_EQ(gTitleAngle, 0.0f);
      EXPECT_EQ(gTitleSize, 1.0f);
    }
  }
  EXPECT_EQ(cards, 87);
  EXPECT_EQ(gTitleFrameCount, 87);
  EXPECT_EQ(gTitleAngle, 335.0f);
  EXPECT_EQ(gTitleActive, 0);
  EXPECT_LT(gTitleSize, 0.0f);
}

TEST_F(Game, SpaceAndRToggleAndAutoRepeatTogglesAgain) {
  gAutoPlay = 1;
  gWallsFirst = 0;
  gCamera.autoRotate = 1;
  gCamera.orbitAngle = 250.0f;
  HandleGameKey(kKeySpace);
  EXPECT_EQ(gAutoPlay, 0);
  HandleGameKey(kKeySpace);
  EXPECT_EQ(gAutoPlay, 1);
  HandleGameKey(kKeyR);
  EXPECT_EQ(gWallsFirst, 1);
  EXPECT_EQ(gCamera.autoRotate, 0);
  EXPECT_EQ(gCamera.orbitAngle, 180.0f);
  HandleGameKey(kKeyR);
  EXPECT_EQ(gWallsFirst, 0);
  EXPECT_EQ(gCamera.autoRotate, 1);
  HandleGameKey('X');  // any other key does nothing
  EXPECT_EQ(gAutoPlay, 1);
  EXPECT_EQ(gWallsFirst, 0);
}

TEST_F(Game, MouseMovesTheNearPaddleOnlyWithoutAutoPlay) {
  struct Case {
    int x, y;
    float px, py;
  };
  const Case cases[] = {
      {0, 0, -330.0f, 348.0f},    {645, 260, 315.0f, 88.0f}, {1023, 767, 315.0f, 88.0f},
      {-40, -3, -330.0f, 348.0f},  // captured outside the window: counts as 0
      {330, 100, 0.0f, 248.0f},
  };
  gAutoPlay = 0;
  for (const Case& c : cases) {
    HandleMouseMove(c.x, c.y);
    EXPECT_EQ(gPaddles[1].position.x, c.px) << c.x << "," << c.y;
    EXPECT_EQ(gPaddles[1].position.y, c.py) << c.x << "," << c.y;
    EXPECT_EQ(gPaddles[1].position.z, 415.0f);
  }
  // With auto-play off the tick leaves the near paddle where the mouse put it.
  TickGame();
  EXPECT_EQ(gPaddles[1].position.x, 0.0f);
  EXPECT_EQ(gPaddles[1].position.y, 248.0f);
  gAutoPlay = 1;
  HandleMouseMove(0, 0);
  EXPECT_EQ(gPaddles[1].position.x, 0.0f);
}

namespace {
// Pixels before each draw of a frame; the next snapshot (or the finished
// frame) minus it is what that piece put on screen.
struct Snapshot {
  DrawItem item;
  std::vector<unsigned char> before;
};
std::vector<Snapshot> gSnapshots;
void SnapshotBefore(DrawItem item) { gSnapshots.push_back({item, gContext->ReadPixels()}); }

struct Changed {
  int count = 0;
  int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
};

Changed Difference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  Changed c;
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 1024; ++x) {
      size_t i = (static_cast<size_t>(y) * 1024 + x) * 3;
      int d = std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]);
      if (d <= 6) continue;
      ++c.count;
      c.minX = std::min(c.minX, x), c.maxX = std::max(c.maxX, x);
      c.minY = std::min(c.minY, y), c.maxY = std::max(c.maxY, y);
    }
  }
  return c;
}

// Renders one frame and returns what each drawn piece changed on screen.
std::vector<std::pair<DrawItem, Changed>> PiecesOfOneFrame() {
  gSnapshots.clear();
  gDrawObserver = SnapshotBefore;
  RenderFrame();
  gDrawObserver = Record;
  std::vector<unsigned char> finished = gContext->ReadPixels();
  std::vector<std::pair<DrawItem, Changed>> pieces;
  for (size_t i = 0; i < gSnapshots.size(); ++i) {
    const auto& after = (i + 1 < gSnapshots.size()) ? gSnapshots[i + 1].before : finished;
    pieces.push_back({gSnapshots[i].item, Difference(gSnapshots[i].before, after)});
  }
  return pieces;
}
}  // namespace

TEST_F(Game, TitleCardCoversTheMiddleOfTheScreenUnrotated) {
  gTitleActive = 1;
  gTitleFrameCount = 0;
  gTitleAngle = 0.0f;
  gTitleSize = 1.0f;
  auto pieces = PiecesOfOneFrame();
  ASSERT_EQ(pieces.back().first, DrawItem::kTitle);
  const Changed& card = pieces.back().second;
  // Half side 1 at 2 units under a 60-degree view: 333 pixels each way.
  EXPECT_NEAR(card.minX, 512 - 333, 4);
  EXPECT_NEAR(card.maxX, 511 + 333, 4);
  EXPECT_NEAR(card.minY, 384 - 333, 4);
  EXPECT_NEAR(card.maxY, 383 + 333, 4);
  EXPECT_GT(card.count, 666 * 666 / 2);
  gTitleActive = 0;
}

TEST_F(Game, EveryPieceOfTheCourtShowsOnceTheCardIsGone) {
  gTitleActive = 0;
  gWallsFirst = 0;
  gAutoPlay = 1;
  gCamera.autoRotate = 1;
  for (int i = 0; i < 30; ++i) TickGame();  // paddles back at the ball
  auto pieces = PiecesOfOneFrame();
  ASSERT_EQ(pieces.size(), 8u);
  for (const auto& [item, changed] : pieces) {
    // The ball is the smallest piece: a sphere of radius 15 about 1000 away.
    int least = item == DrawItem::kBall ? 60
                : (item == DrawItem::kCase || item == DrawItem::kFloor || item == DrawItem::kRoof)
                    ? 20000
                    : 300;
    EXPECT_GT(changed.count, least) << "piece " << static_cast<int>(item);
  }
}
