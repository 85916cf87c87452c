#include "launcher/launcher_form.h"

#include <cstdio>
#include <filesystem>

#include "core/globals.h"
#include "game/world_scores.h"
#include "platform/keys.h"
#include "launcher/launcher_text.h"
#include "launcher/links.h"
#include "platform/paths.h"

namespace {

// The buttons in the order Tab walks them.
constexpr std::array<TForm1::TControlId, 5> kTabOrder = {
    TForm1::Button1, TForm1::Button5, TForm1::Button7, TForm1::Button4, TForm1::Button2};

bool Inside(const TRect& r, int32_t x, int32_t y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

}  // namespace

TForm1::TForm1(ILauncherHost& host, const TLauncherText& text) : host_(host), text_(text) {
  controls_[Button1] = {Bounds(264, 8, 100, 25), "Start", true, false};
  controls_[Button5] = {Bounds(264, 88, 100, 25), "World table", false, false};
  controls_[Button7] = {Bounds(264, 120, 100, 25), "Help", false, false};
  controls_[Button4] = {Bounds(264, 152, 100, 25), "Web Site", false, false};
  controls_[Button2] = {Bounds(264, 198, 100, 25), "Exit", false, false};
  controls_[Image1] = {Bounds(TabSheet1.Left + 93, TabSheet1.Top + 1, 64, 64), "", false, false};
}

void TForm1::FormCreate() {
  const std::string web = kWebSiteRoot;
  // The address as people read it: without the scheme and the closing slash.
  std::string shown = web.substr(web.find("//") + 2);
  if (!shown.empty() && shown.back() == '/') shown.pop_back();
  struct TLabelLine {
    TControlId Id;
    int32_t Top;
    std::string Caption;
    bool Bold, Link;
  };
  const TLabelLine lines[] = {
      {Label2, 68, "v." + std::string(kGameVersion), false, false},
      {Label1, 84, "Tarvelle", true, false},
      {Label3, 150, "Hop, eat, dodge and catch the diamond!", false, false},
      {Label4, 104, shown, false, true},
      {Label7, 120, kSupportMail, false, true},
  };
  for (const TLabelLine& l : lines) {
    const int32_t w = text_.Width(l.Caption, l.Bold);
    const int32_t h = text_.Height();
    // Centred in the page: left = (page width - label width) / 2.
    const int32_t left = TabSheet1.Left + (TabSheet1.Width() - w) / 2;
    controls_[l.Id] = {Bounds(left, TabSheet1.Top + l.Top, w, h), l.Caption, l.Bold, l.Link};
  }
}

TForm1::TControlId TForm1::ControlAt(int32_t x, int32_t y) const {
  for (TControlId id : {Button1, Button5, Button7, Button4, Button2, Image1, Label4, Label7})
    if (Inside(controls_[id].Bounds, x, y)) return id;
  return NoControl;
}

void TForm1::MoveFocus(int step) {
  int i = 0;
  while (i < int(kTabOrder.size()) && kTabOrder[i] != focused_) ++i;
  const int n = int(kTabOrder.size());
  focused_ = kTabOrder[((i + step) % n + n) % n];
}

void TForm1::KeyDown(int32_t key, uint32_t shift) {
  if (started_ || closed_) return;
  switch (key) {
    case vk::Return:
    case vk::Space:
      Click(focused_);  // as on a dialog: the focused button is pressed
      break;
    case vk::Escape:
      Button2Click();
      break;
    case vk::Tab:
      MoveFocus((shift & 1) ? -1 : 1);
      break;
    case vk::Left:
    case vk::Up:
      MoveFocus(-1);
      break;
    case vk::Right:
    case vk::Down:
      MoveFocus(1);
      break;
    default:
      break;
  }
}

void TForm1::MouseMove(int32_t x, int32_t y) {
  hot_ = ControlAt(x, y);
}

void TForm1::MouseDown(int32_t button, int32_t x, int32_t y, int32_t clicks) {
  if (button != 0 || started_ || closed_) return;
  const TControlId id = ControlAt(x, y);
  hot_ = id;
  if (id == Image1 && clicks >= 2) {
    Image1DblClick();
    return;
  }
  pressed_ = id;
  if (id >= Button1 && id <= Button2) focused_ = id;
}

void TForm1::MouseUp(int32_t button, int32_t x, int32_t y) {
  if (button != 0) return;
  const TControlId id = ControlAt(x, y);
  const TControlId was = pressed_;
  pressed_ = NoControl;
  // A click counts where the button went down and came up on the same control.
  if (was != NoControl && was == id && was != Image1) Click(id);
}

void TForm1::Click(TControlId id) {
  if (started_ || closed_) return;
  switch (id) {
    case Button1:
      Button1Click();
      break;
    case Button2:
      Button2Click();
      break;
    case Button4:
      Button4Click();
      break;
    case Button5:
      Button5Click();
      break;
    case Button7:
      Button7Click();
      break;
    case Label4:
      Label4Click();
      break;
    case Label7:
      Label7Click();
      break;
    default:
      break;
  }
}

void TForm1::Button1Click() {
  if (started_ || closed_) return;
  started_ = true;
  host_.StartGame();
}

void TForm1::Button2Click() {
  if (started_ || closed_) return;
  closed_ = true;
  host_.CloseLauncher();
}

void TForm1::Button4Click() {
  host_.OpenAddress(WebPageAddress("", G.MaxLevel, G.GameState != gsStartup));
}

void TForm1::Button5Click() {
  host_.OpenAddress(world::PagesAddress());
}

void TForm1::Button9Click() {
  host_.OpenAddress(WebPageAddress(kScorePage, G.MaxLevel, G.GameState != gsStartup));
}

void TForm1::Button7Click() {
  const std::string file = G.ProgramFolder + "Readme.html";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(paths::PathOf(file), ec)) {
    std::fprintf(stderr, "Tarvelle: the help page %s is missing\n", file.c_str());
    return;
  }
  host_.OpenAddress(FileAddress(paths::Utf8Of(std::filesystem::absolute(paths::PathOf(file), ec))));
}

void TForm1::Label7Click() {
  host_.OpenAddress(SupportMailAddress());
}
