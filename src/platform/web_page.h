#pragma once
#include <string>

// What the game says to the web page around it (src/platform/web/tarvelle.js answers).
namespace web_page {

// A message for the player, shown on the page (the browser's own boxes would stop the game).
void ShowMessage(const std::string& title, const std::string& message);
// The game window has closed (the title menu's Exit): the page shows its Start again.
void GameEnded();
// Lasting storage could not keep the saves: the page says so, once.
void StorageLost();
// The game waits for typed text (a name) or no longer does: a phone's keyboard comes up.
void TextInput(bool on);
// The first picture of the game has been shown.
void FirstFrame();

}  // namespace web_page
