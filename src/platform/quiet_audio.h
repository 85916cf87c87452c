#pragma once

// Silences the messages the system's sound library writes on its own when there is no sound
// card (the game reports a missing device in one line of its own). Once is enough.
void QuietSystemAudio();
