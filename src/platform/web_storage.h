#pragma once

// The player's files (settings, high scores, replays) in the browser's lasting storage: the
// home folder is a mirror of IndexedDB (Emscripten's IDBFS), loaded at start and copied back
// after every save and when the page is hidden or closed.
namespace web_storage {

// Mounts the store over the home folder and loads it; calls ready when that is done, whether
// or not the store could be had (without it the files live in memory until the page closes).
void Mount(void (*ready)());
// Copies the home folder to the store (now, or after the copy that is running).
void Flush();

}  // namespace web_storage
