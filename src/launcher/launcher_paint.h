#pragma once

class TForm1;
class TLauncherText;
class TSurface;

// Draws the launcher window in the game's look: the pond's water, the "About" page as a panel
// of the interface blues, pill buttons (green with a cream ring for the focused one), white
// lines with a navy shadow, links in deep blue, underlined. picture may be empty.
void PaintLauncher(const TForm1& form, const TLauncherText& text, const TSurface& picture,
                   TSurface& dest);
