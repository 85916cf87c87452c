#include "launcher/launcher_run.h"

#include <optional>

#include "core/globals.h"
#include "data/embedded.h"
#include "front/input.h"
#include "launcher/launcher_form.h"
#include "launcher/launcher_paint.h"
#include "launcher/launcher_text.h"
#include "media/image_decode.h"
#include "platform/launcher_window.h"
#include "platform/open_url.h"

namespace {

class TLauncherHost final : public ILauncherHost {
 public:
  void OpenAddress(const std::string& address) override { OpenUrl(address); }
  void StartGame() override { started = true; }
  void CloseLauncher() override { closed = true; }
  bool started = false, closed = false;
};

TSurface LauncherPicture() {
  for (const TEmbeddedFile& f : EmbeddedLauncher())
    if (auto img = DecodeImage(f.Data, f.Size)) return std::move(img->Pixels);
  return {};
}

}  // namespace

bool RunLauncher(TMainForm& form) {
  std::unique_ptr<ILauncherWindow> window = CreateSdlLauncherWindow();
  return RunLauncher(form, *window);
}

bool RunLauncher(TMainForm& form, ILauncherWindow& window) {
  TLauncherHost host;
  const TLauncherText text;
  TForm1 launcher(host, text);
  launcher.FormCreate();
  const TSurface picture = LauncherPicture();
  TSurface canvas(TForm1::ClientWidth, TForm1::ClientHeight);

  window.Show("Tarvelle", TForm1::ClientWidth, TForm1::ClientHeight);
  bool dirty = true;
  while (!host.started && !host.closed) {
    if (dirty) {
      PaintLauncher(launcher, text, picture, canvas);
      window.Present(canvas);
      window.SetHandCursor(launcher.OverLink());
      dirty = false;
    }
    TLauncherInput e;
    if (!window.WaitEvent(e, 100)) continue;
    dirty = true;
    switch (e.Kind) {
      case TLauncherInput::KeyDown:
        launcher.KeyDown(e.Key, e.Shift);
        break;
      case TLauncherInput::MouseMove: {
        const auto hot = launcher.Hot();
        launcher.MouseMove(e.X, e.Y);
        dirty = hot != launcher.Hot();
        break;
      }
      case TLauncherInput::MouseDown:
        launcher.MouseDown(e.Button, e.X, e.Y, e.Clicks);
        break;
      case TLauncherInput::MouseUp:
        launcher.MouseUp(e.Button, e.X, e.Y);
        break;
      case TLauncherInput::Close:
        launcher.CloseRequest();
        break;
      default:
        break;
    }
  }
  window.Hide();
  if (host.closed) {
    // Closed before the game started: the game window closes without saving the settings.
    G.Quitting = true;
    form.FormClose();
    return false;
  }
  return true;
}
