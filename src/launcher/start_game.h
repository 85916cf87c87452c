#pragma once

class TMainForm;

// What the launcher's Start does: brings the display up in a 640 x 480 window with its
// fall-backs (errors reach the caller), loads the water pictures from the picture pack and
// hands over to the game window. Without water pictures (a game nobody sees, whose pond is
// never drawn) the water stays a plain fill, as without a picture pack.
void StartGame(TMainForm& form, bool waterPictures = true);
