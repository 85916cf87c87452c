#include "actors/sprite_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/image_sprite.h"
#include "actors/show_picture.h"
#include "core/random.h"
#include "media/image_list.h"

namespace {

// A sprite that writes what happens to it into a shared log.
struct TLogSprite : TSprite {
  TLogSprite(TSprite* parent, std::string name, std::vector<std::string>& log, int32_t z = 0)
      : TSprite(parent, z), Name(std::move(name)), Log(log) {}
  ~TLogSprite() override { Log.push_back("free " + Name); }
  void DrawSelf() override { Log.push_back("draw " + Name); }
  void MoveSelf(int32_t) override { Log.push_back("move " + Name); }
  void HandleCollision(TSprite* other, bool& done) override {
    Log.push_back("hit " + static_cast<TLogSprite*>(other)->Name);
    if (OnHit) OnHit(this, done);
  }
  std::string Name;
  std::vector<std::string>& Log;
  void (*OnHit)(TLogSprite*, bool&) = nullptr;
};

TLogSprite* At(TLogSprite* s, int x, int y, int w, int h) {
  s->X = x;
  s->Y = y;
  s->Width = w;
  s->Height = h;
  return s;
}

struct SpriteEngineTest : ::testing::Test {
  std::vector<std::string> log;  // outlives the sprites, which log their end
  TSurface surface{100, 80};
  TSpriteEngine root;
  SpriteEngineTest() { root.SetSurface(&surface); }
  TLogSprite* Make(const std::string& name, int x = 10, int y = 10, int w = 10, int h = 10,
                   TSprite* parent = nullptr) {
    return At(new TLogSprite(parent ? parent : &root, name, log), x, y, w, h);
  }
};

TEST_F(SpriteEngineTest, TreeBookkeeping) {
  EXPECT_EQ(root.Width, 100);
  EXPECT_EQ(root.Height, 80);
  auto* a = Make("a");
  auto* b = Make("b", 0, 0, 0, 0, a);
  EXPECT_EQ(a->Engine, &root);
  EXPECT_EQ(b->Engine, &root);  // a grandchild finds the root through its parent
  EXPECT_EQ(root.SpriteCount, 2);
  delete a;  // takes b with it
  EXPECT_EQ(root.SpriteCount, 0);
  EXPECT_EQ(root.ChildCount(), 0);
  EXPECT_EQ(root.Children().capacity(), 0u);  // the lists go with the last child
  EXPECT_EQ(log, (std::vector<std::string>{"free a", "free b"}));  // a logs before its children go
}

TEST_F(SpriteEngineTest, ChildErrors) {
  try {
    root.Child(0);
    FAIL();
  } catch (const ESpriteError& e) {
    EXPECT_STREQ(e.what(), "Index of the list exceeds the range. (0)");
  }
  auto* a = Make("a");
  Make("b");
  EXPECT_EQ(root.Child(0), a);
  for (int bad : {2, -1}) {
    try {
      root.Child(bad);
      FAIL() << bad;
    } catch (const EListError& e) {
      EXPECT_EQ(e.what(), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
}

TEST_F(SpriteEngineTest, DrawOrderNewestFirstAmongEqualZ) {
  Make("old");
  new TLogSprite(&root, "high", log, 5);
  Make("new");
  new TLogSprite(&root, "low", log, -5);
  for (auto* s : root.Children()) At(static_cast<TLogSprite*>(s), 10, 10, 5, 5);
  root.DrawAll();
  EXPECT_EQ(log, (std::vector<std::string>{"draw low", "draw new", "draw old", "draw high"}));
  EXPECT_EQ(root.DrawnCount, 4);
}

TEST_F(SpriteEngineTest, HiddenOrFrozenSubtreesArePruned) {
  auto* a = Make("a");
  Make("a1", 10, 10, 5, 5, a);
  auto* b = Make("b");
  Make("b1", 10, 10, 5, 5, b);
  a->CanMove = false;
  b->Visible = false;
  root.Move(16);
  root.DrawAll();
  EXPECT_EQ(log, (std::vector<std::string>{"move b", "move b1", "draw a", "draw a1"}));
}

TEST_F(SpriteEngineTest, DrawCullsByOpenOverlapWithTheSurface) {
  // Touching the surface's edge from outside is not drawn; a zero-size sprite is drawn only
  // strictly inside.
  Make("leftOut", -10, 10, 10, 10);
  Make("bottomOut", 10, 80, 10, 10);
  Make("leftIn", -9, 10, 10, 10);
  Make("dotIn", 1, 79, 0, 0);
  Make("dotEdge", 0, 40, 0, 0);
  Make("dotRight", 100, 40, 0, 0);
  root.DrawAll();
  EXPECT_EQ(log, (std::vector<std::string>{"draw dotIn", "draw leftIn"}));
}

TEST_F(SpriteEngineTest, CollisionVisitsCreationOrderDepthFirst) {
  auto* hitter = Make("hitter", 0, 0, 20, 20);
  auto* a = Make("a", 19, 19, 5, 5);
  Make("a1", 5, 5, 1, 1, a);
  Make("touching", 20, 0, 5, 5);  // shares only an edge
  auto* off = Make("off", 5, 5, 5, 5);
  Make("off1", 5, 5, 5, 5, off);
  off->CanCollide = false;  // neither it nor its children are met
  auto* dead = Make("dead", 1, 1, 1, 1);
  dead->Kill();  // still met until the sweep
  EXPECT_EQ(hitter->Collide(), 3);
  EXPECT_EQ(log, (std::vector<std::string>{"hit a", "hit a1", "hit dead"}));
  EXPECT_EQ(dead->Collide(), 0);  // a dead sprite finds nothing
}

TEST_F(SpriteEngineTest, CollisionEndsWhenHandlerStopsIt) {
  using THandler = void (*)(TLogSprite*, bool&);
  const THandler handlers[] = {
      [](TLogSprite*, bool& done) { done = true; },
      [](TLogSprite* s, bool&) { s->Kill(); },
      [](TLogSprite* s, bool&) { s->CanCollide = false; },
  };
  for (THandler h : handlers) {
    root.ClearChildren();
    root.SweepDead();
    log.clear();
    auto* hitter = Make("hitter", 0, 0, 20, 20);
    hitter->OnHit = h;
    auto* a = Make("a");
    Make("a1", 10, 10, 5, 5, a);
    Make("b");
    EXPECT_EQ(hitter->Collide(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"hit a"}));
  }
}

TEST_F(SpriteEngineTest, KillAndSweep) {
  auto* a = Make("a");
  auto* a1 = Make("a1", 0, 0, 0, 0, a);
  auto* b = Make("b");
  a1->Kill();
  b->Kill();
  b->Kill();  // once only
  a->Kill();
  root.Kill();  // the root has no engine: nothing happens
  EXPECT_EQ(root.DeadList, (std::vector<TSprite*>{a1, b, a}));
  EXPECT_FALSE(root.IsDead);
  root.SweepDead();  // a goes first and takes a1 off the list with it
  EXPECT_EQ(log, (std::vector<std::string>{"free a", "free a1", "free b"}));
  EXPECT_TRUE(root.DeadList.empty());
  EXPECT_EQ(root.SpriteCount, 0);
}

TEST_F(SpriteEngineTest, DXEngineDrawsOnlyWithASurface) {
  TDXSpriteEngine dx;
  At(new TLogSprite(dx.Engine.get(), "a", log), 1, 1, 1, 1);
  dx.Draw();
  EXPECT_TRUE(log.empty());
  dx.SurfaceCreated(surface);
  dx.Move(5);
  dx.Draw();
  dx.SurfaceReleased();
  dx.Draw();
  EXPECT_EQ(log, (std::vector<std::string>{"move a", "draw a"}));
}

TEST(ImageSpriteAnimation, StepsWrapsAndStops) {
  struct TCase {
    int32_t Count;
    bool Loop;
    double Pos, Speed;
    int32_t Ms;
    double WantPos, WantSpeed;
  };
  const TCase cases[] = {
      {4, true, 0, 0.002, 500, 1, 0.002},
      {4, true, 1, 0.002, 1000003, 1.006, 0.002},  // 2003.006 frames on
      {4, true, 1, -0.002, 1250, 2.5, -0.002},     // -1.5 wraps to 2.5
      {4, true, 0.5, -0.5, 1000002, 3.5, -0.5},    // far below zero
      {10, false, 0, 0.005, 100000, 9, 0},         // stops on its last frame
      {10, false, 3, -0.005, 100000, 0, 0},        // and on its first
      {1, true, 0.5, 1.0, 1000, 0.5, 1.0},         // one frame never moves
      {0, false, 0, 1.0, 1000, 0, 1.0},
  };
  for (const TCase& c : cases) {
    TImageSprite s(nullptr);
    s.FrameCount = c.Count;
    s.FrameLoop = c.Loop;
    s.FramePos = c.Pos;
    s.FrameSpeed = c.Speed;
    s.MoveSelf(c.Ms);
    EXPECT_NEAR(s.FramePos, c.WantPos, 1e-6) << c.Count << " " << c.Pos << " " << c.Ms;
    EXPECT_EQ(s.FrameSpeed, c.WantSpeed);
    EXPECT_GE(s.FramePos, 0);
  }
}

// Two 4 x 2 patterns side by side: pattern 0 is red, pattern 1 is green, with a keyed column.
TDXImageList TwoFrameList() {
  TDXImageList list;
  auto& item = list.Add("Blink");
  TSurface pic(8, 2);
  pic.FillRect({0, 0, 4, 2}, 0xFF0000);
  pic.FillRect({4, 0, 8, 2}, 0x00FF00);
  pic.FillRect({7, 0, 8, 2}, 0xFFFFFF);
  item.SetPicture(std::move(pic));
  item.PatternWidth = 4;
  item.PatternHeight = 2;
  item.SetTransparentColor(clWhite);
  return list;
}

TEST(ImageSpriteDraw, CentresTheFrameOnItsRectangle) {
  TDXImageList list = TwoFrameList();
  TSurface screen(20, 10);
  TSpriteEngine root;
  root.SetSurface(&screen);
  auto* s = new TImageSprite(&root);
  s->Image = &list.Find("blink");
  s->X = 5;
  s->Y = 3;
  s->Width = 9;   // (9 - 4) div 2 = 2
  s->Height = 1;  // (1 - 2) div 2 = 0, truncated toward zero
  s->FramePos = 1.9;
  root.DrawAll();
  EXPECT_EQ(screen.GetPixel(6, 3), 0u);
  EXPECT_EQ(screen.GetPixel(7, 3), 0x00FF00u);
  EXPECT_EQ(screen.GetPixel(9, 4), 0x00FF00u);
  EXPECT_EQ(screen.GetPixel(10, 3), 0u);  // keyed
  s->FramePos = 2;                        // past the last pattern: nothing drawn
  screen.Fill(0);
  root.DrawAll();
  EXPECT_EQ(screen.GetPixel(7, 3), 0u);
}

TEST(ShowPicture, PlacesALoopingPictureAboveThePoint) {
  TDXImageList list = TwoFrameList();
  TSpriteEngine root;
  RandomState = 1;
  TImageSprite* s = ShowPicture(root, list, 30, 60, "BLINK", 5);
  EXPECT_EQ(s->Parent, &root);
  EXPECT_EQ(s->Image, &list.Find("Blink"));
  EXPECT_EQ(s->FrameCount, 2);
  EXPECT_TRUE(s->FrameLoop);
  EXPECT_DOUBLE_EQ(s->FrameSpeed, 0.005);
  EXPECT_TRUE(s->FramePos == 0 || s->FramePos == 1);
  EXPECT_EQ(s->X, 30);
  EXPECT_EQ(s->Y, 59);
  EXPECT_EQ(s->Width, 0);
  EXPECT_THROW(ShowPicture(root, list, 0, 0, "Nope", 1), EImageNotFound);
  EXPECT_EQ(root.ChildCount(), 1);
}

}  // namespace
