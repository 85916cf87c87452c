#pragma once
#include <string>

// What the game says to the web page around it (src/platform/web/tarvelle.js answers).
namespace web_page {

// A message for the player, shown on the page (the browser's own boxes would stop the game).
void ShowMessage(const std::string& title, const std::string& message);
// The game window has closed (the title menu's Exit): the page shows its Start again.
void GameEnded();
// Why nothing will be kept this time.
enum class TStorageLoss {
  Unavailable = 0,  // no lasting storage (private browsing, storage switched off, full)
  Unreadable = 1,   // the store could not be loaded: it is left alone, never written over
  Elsewhere = 2,    // another tab of the game has the store
};
// Lasting storage will not keep the saves: the page says so, once.
void StorageLost(TStorageLoss why);
// The game waits for typed text (a name) or no longer does: a phone's keyboard comes up.
void TextInput(bool on);
// The first picture of the game has been shown.
void FirstFrame();
// The game state changed (its number), a name began or ended to be typed, or a question
// with Yes and No (other than the exit prompt) came up or went.
void StateChanged(int state, bool typing, bool asking);
// A key (an SDL key code) pressed and released, as the page's own buttons give it.
void PushKey(int sdlKey);
// The page's origin ("https://host:port"), "" for a page not served over HTTP.
std::string PageOrigin();
// A replay played from a link has ended: its final score, and whether it ended exactly as
// recorded.
void ReplayEnded(int score, bool exact);

}  // namespace web_page
