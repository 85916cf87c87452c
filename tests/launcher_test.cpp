// The launcher: its addresses, its keys and clicks, and what Start and Exit leave behind.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "actors/effects.h"
#include "core/globals.h"
#include "core/settings.h"
#include "fake_video.h"
#include "front/input.h"
#include "game/world_scores.h"
#include "launcher/launcher_form.h"
#include "launcher/launcher_run.h"
#include "launcher/launcher_text.h"
#include "launcher/links.h"
#include "launcher/program_folder.h"
#include "platform/launcher_window.h"
#include "platform/open_url.h"
#include "platform/paths.h"
#include "platform/process_env.h"
#include "platform/system_font.h"

namespace fs = std::filesystem;

namespace {

TEST(LauncherLinks, AddressesAreBuiltExactly) {
  struct TCase {
    std::string Page;
    int32_t MaxLevel;
    bool Started;
    std::string Want;
  } cases[] = {
      {"", 0, false, "https://tarvelle.example.org/?from=TV_1.01_Free_A&lev=0"},
      {"tarvelle-scores.php", 7, false,
       "https://tarvelle.example.org/tarvelle-scores.php?from=TV_1.01_Free_A&lev=7"},
      {"tarvelle-scores.php?top=10", 15, true,
       "https://tarvelle.example.org/tarvelle-scores.php?top=10&from=TV_1.01_Free&lev=15"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(WebPageAddress(c.Page, c.MaxLevel, c.Started), c.Want) << c.Page;
  EXPECT_EQ(SupportMailAddress(), "mailto:support@tarvelle.example.org?subject=Tarvelle%201.01");
  EXPECT_EQ(UrlEncode("a b&c=d/é~"), "a%20b%26c%3Dd%2F%C3%A9~");
  EXPECT_EQ(FileAddress("/home/ann/My Games/Readme.html"),
            "file:///home/ann/My%20Games/Readme.html");
  EXPECT_EQ(FileAddress("C:/Users/J\xC3\xB6rg/My Games/Readme.html"),
            "file:///C:/Users/J%C3%B6rg/My%20Games/Readme.html");
}

TEST(LauncherLinks, AMissingDesktopHandlerIsReportedAtOnce) {
  const std::string path = getenv("PATH");
  const std::string tmpl = process::MakeTemporaryFolder("tarvelle-nopath-");
  ASSERT_NE(tmpl, "");
  process::SetEnvironment("PATH", tmpl);  // no xdg-open anywhere
  EXPECT_FALSE(OpenUrl("https://tarvelle.example.org/"));
  process::SetEnvironment("PATH", path.c_str());
  fs::remove(tmpl);
}

class THostRecorder : public ILauncherHost {
 public:
  void OpenAddress(const std::string& a) override { Opened.push_back(a); }
  void StartGame() override { ++Starts; }
  void CloseLauncher() override { ++Closes; }
  std::vector<std::string> Opened;
  int Starts = 0, Closes = 0;
};

class Launcher : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    const std::string tmpl = process::MakeTemporaryFolder("tarvelle-launcher-");
    ASSERT_NE(tmpl, "");
    folder = std::string(tmpl) + "/";
    G.ProgramFolder = folder;
    form.FormCreate();
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  TPoint Centre(TForm1::TControlId id) const {
    const TRect& r = form.Control(id).Bounds;
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  void Click(TForm1::TControlId id, int clicks = 1) {
    const TPoint p = Centre(id);
    form.MouseDown(0, p.X, p.Y, clicks);
    form.MouseUp(0, p.X, p.Y);
  }

  std::string folder;
  THostRecorder host;
  TLauncherText text;
  TForm1 form{host, text};
};

TEST_F(Launcher, EnterPressesTheFocusedButtonAndTabWalksTheButtons) {
  EXPECT_EQ(form.Focused(), TForm1::Button1);
  const TForm1::TControlId order[] = {TForm1::Button5, TForm1::Button7, TForm1::Button4,
                                      TForm1::Button2, TForm1::Button1};
  for (TForm1::TControlId want : order) {
    form.KeyDown(9, 0);
    EXPECT_EQ(form.Focused(), want);
  }
  form.KeyDown(9, 1);  // Shift+Tab goes back, round the end
  EXPECT_EQ(form.Focused(), TForm1::Button2);
  form.KeyDown(40, 0);  // the D-pad moves the focus as well
  EXPECT_EQ(form.Focused(), TForm1::Button1);
  form.KeyDown(13, 0);
  EXPECT_EQ(host.Starts, 1);
  // Once started, the launcher does nothing more.
  form.KeyDown(13, 0);
  form.KeyDown(27, 0);
  EXPECT_EQ(host.Starts, 1);
  EXPECT_EQ(host.Closes, 0);
}

TEST_F(Launcher, EscExitsWithoutStarting) {
  form.KeyDown(27, 0);
  EXPECT_EQ(host.Closes, 1);
  EXPECT_EQ(host.Starts, 0);
  form.KeyDown(13, 0);
  EXPECT_EQ(host.Starts, 0);
}

TEST_F(Launcher, DoubleClickOnThePictureStartsASingleClickDoesNot) {
  Click(TForm1::Image1);
  EXPECT_EQ(host.Starts, 0);
  const TPoint p = Centre(TForm1::Image1);
  form.MouseDown(0, p.X, p.Y, 2);
  EXPECT_EQ(host.Starts, 1);
}

TEST_F(Launcher, ButtonsAndLinksOpenTheirAddresses) {
  G.MaxLevel = 4;
  Click(TForm1::Button4);
  Click(TForm1::Label4);
  Click(TForm1::Label7);
  const std::vector<std::string> want = {
      "https://tarvelle.example.org/?from=TV_1.01_Free_A&lev=4",
      "https://tarvelle.example.org/?from=TV_1.01_Free_A&lev=4",
      "mailto:support@tarvelle.example.org?subject=Tarvelle%201.01"};
  EXPECT_EQ(host.Opened, want);
  // A press that is let go elsewhere is no click.
  const TPoint p = Centre(TForm1::Button2);
  form.MouseDown(0, p.X, p.Y, 1);
  EXPECT_EQ(form.Focused(), TForm1::Button2);
  form.MouseUp(0, 5, 5);
  EXPECT_EQ(host.Closes, 0);
  Click(TForm1::Button2);
  EXPECT_EQ(host.Closes, 1);
}

TEST_F(Launcher, WorldTableOpensTheWorldTablesPages) {
  world::SetServer("http://127.0.0.1:8080/api/v1/");
  Click(TForm1::Button5);
  world::SetServer("");
  ASSERT_EQ(host.Opened.size(), 1u);
  EXPECT_EQ(host.Opened[0], "http://127.0.0.1:8080/");
}

TEST_F(Launcher, HelpOpensTheReadmeOnlyWhenItIsThere) {
  Click(TForm1::Button7);
  EXPECT_TRUE(host.Opened.empty());  // reported on standard error instead
  std::ofstream(folder + "Readme.html") << "<html></html>";
  Click(TForm1::Button7);
  ASSERT_EQ(host.Opened.size(), 1u);
  EXPECT_EQ(host.Opened[0], FileAddress(folder + "Readme.html"));
}

TEST_F(Launcher, LabelsAreCentredInTheAboutPageAndLinksShowTheHand) {
  for (auto id : {TForm1::Label1, TForm1::Label2, TForm1::Label3, TForm1::Label4, TForm1::Label7}) {
    const TRect& r = form.Control(id).Bounds;
    EXPECT_GT(r.Width(), 0);
    EXPECT_EQ(r.Left, TForm1::TabSheet1.Left + (TForm1::TabSheet1.Width() - r.Width()) / 2);
    EXPECT_LE(r.Right, TForm1::TabSheet1.Right);
  }
  EXPECT_EQ(form.Control(TForm1::Label2).Caption, "v.1.01");
  const TPoint link = Centre(TForm1::Label4);
  form.MouseMove(link.X, link.Y);
  EXPECT_TRUE(form.OverLink());
  const TPoint button = Centre(TForm1::Button1);
  form.MouseMove(button.X, button.Y);
  EXPECT_FALSE(form.OverLink());
}

// A launcher window that plays back events and keeps what it was shown.
class TScriptedWindow : public ILauncherWindow {
 public:
  void Show(const std::string& caption, int w, int h) override {
    Caption = caption;
    Width = w;
    Height = h;
  }
  void Hide() override { Hidden = true; }
  void Present(const TSurface& pic) override { Last = pic; }
  bool WaitEvent(TLauncherInput& e, int) override {
    if (Events.empty()) {
      e = {};
      e.Kind = TLauncherInput::Close;
    } else {
      e = Events.front();
      Events.pop_front();
    }
    return true;
  }
  void SetHandCursor(bool) override {}
  void Key(int32_t key) {
    TLauncherInput e;
    e.Kind = TLauncherInput::KeyDown;
    e.Key = key;
    Events.push_back(e);
  }

  std::deque<TLauncherInput> Events;
  std::string Caption;
  int Width = 0, Height = 0;
  bool Hidden = false;
  TSurface Last;
};

class LauncherRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    const std::string tmpl = process::MakeTemporaryFolder("tarvelle-launcher-run-");
    ASSERT_NE(tmpl, "");
    home = std::string(tmpl) + "/";
    paths::OverrideHome(home);
    G.ProgramFolder = TARVELLE_BUILD_DIR "/";
    LoadSettings();
    form.FormCreate();
  }
  void TearDown() override {
    DisableSystemFonts(false);
    paths::OverrideHome("");
    std::error_code ec;
    fs::remove_all(home, ec);
  }
  std::string SettingsText() {
    std::ifstream in(SettingsFolder() + "settings.conf");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Pixels of the window's picture that are neither the water nor the panel's blues.
  static int InkPixels(const TSurface& s) {
    int n = 0;
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) {
        const uint32_t c = PixelToColor(s.Format(), s.GetPixel(x, y));
        n += c != 0xDDB146 && c != 0xF4BE04 && c != 0xBC7204;
      }
    return n;
  }

  std::string home;
  TFakeVideo video;
  TMainForm form{&video};
  TScriptedWindow window;
};

TEST_F(LauncherRun, ExitBeforeStartWritesOnlyTheLevel) {
  window.Key(9);
  window.Key(27);
  EXPECT_FALSE(RunLauncher(form, window));
  EXPECT_EQ(window.Caption, "Tarvelle");
  EXPECT_EQ(window.Width, 366);
  EXPECT_EQ(window.Height, 225);
  EXPECT_TRUE(window.Hidden);
  EXPECT_TRUE(G.Quitting);
  const std::string text = SettingsText();
  EXPECT_NE(text.find("Level = dword:0"), std::string::npos) << text;
  EXPECT_EQ(text.find("SFXVol"), std::string::npos) << text;
  EXPECT_FALSE(video.IsOpen());  // the game window never came up
}

TEST_F(LauncherRun, StartHidesTheLauncherAndDrawsWithEitherFont) {
  for (bool systemFonts : {true, false}) {
    DisableSystemFonts(!systemFonts);
    TScriptedWindow w;
    w.Key(13);
    EXPECT_TRUE(RunLauncher(form, w));
    EXPECT_TRUE(w.Hidden);
    ASSERT_EQ(w.Last.Width(), 366);
    // The picture, the buttons and the lines leave plenty of other colours.
    EXPECT_GT(InkPixels(w.Last), 8000) << "system fonts " << systemFonts;
  }
  EXPECT_FALSE(G.Quitting);
}

TEST(ProgramFolder, TheExecutablesFolderFirstThenTheInstalledOne) {
  const std::string tmpl = process::MakeTemporaryFolder("tarvelle-folders-");
  ASSERT_NE(tmpl, "");
  const fs::path root = paths::PathOf(tmpl);
  fs::create_directories(root / "games");
  fs::create_directories(root / "share/games/tarvelle/Music");
  const std::vector<std::string> candidates = {
      paths::Utf8Of(root / "games/"), paths::Utf8Of(root / "games/../share/games/tarvelle/")};
  EXPECT_EQ(FindProgramFolder(candidates), paths::Utf8Of(root / "share/games/tarvelle/"));
  std::ofstream(root / "games/LevelsFree.dat") << "x";
  EXPECT_EQ(FindProgramFolder(candidates), paths::Utf8Of(root / "games/"));
  fs::remove_all(root);
  EXPECT_EQ(FindProgramFolder(candidates), "");
  const std::string msg = MissingDataMessage(candidates);
  EXPECT_NE(msg.find(candidates[0]), std::string::npos);
  EXPECT_NE(msg.find(candidates[1]), std::string::npos);
}

}  // namespace
