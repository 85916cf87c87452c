#include "platform/quiet_audio.h"

// Windows' sound system writes nothing of its own.
void QuietSystemAudio() {}
