#pragma once

class ILauncherWindow;
class TMainForm;

// Shows the launcher window and runs it until the player starts the game (true) or closes the
// launcher (false). Closing it writes the highest level reached (0) and nothing else. Raises
// EVideoError when the window cannot be opened.
bool RunLauncher(TMainForm& form);
// The same in a given window (tests hand in one of their own).
bool RunLauncher(TMainForm& form, ILauncherWindow& window);
