#include "platform/web_storage.h"

#include <emscripten.h>

#include <cstdlib>
#include <string>

#include "platform/atomic_file.h"
#include "platform/flush_queue.h"
#include "platform/web_page.h"

namespace {

TFlushQueue queue;
void (*onReady)() = nullptr;
// Copies to the store are made only once the store was read whole and no other tab has it: a
// copy makes the store the image of the home folder, so a copy from a home that missed the
// store's files would delete them.
bool writable = false;

void StartCopy() {
  EM_ASM({
    try {
      FS.syncfs(false, function(err) { Module._tarvelle_storage_copied(err ? 0 : 1); });
    } catch (e) {
      Module._tarvelle_storage_copied(0);
    }
  });
}

void NoticeLoss() {
  if (queue.TakeFailureNotice()) web_page::StorageLost(web_page::TStorageLoss::Unavailable);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tarvelle_storage_copied(int ok) {
  if (queue.Finished(ok != 0)) StartCopy();
  NoticeLoss();
}

// how: 1 loaded, 0 no store to be had, -1 the store failed to load, 2 loaded but another tab
// of the game keeps it.
EMSCRIPTEN_KEEPALIVE void tarvelle_storage_loaded(int how) {
  writable = how == 1;
  if (how == 0) {
    queue.Request();
    queue.Finished(false);
    NoticeLoss();
  } else if (how == -1) {
    web_page::StorageLost(web_page::TStorageLoss::Unreadable);
  } else if (how == 2) {
    web_page::StorageLost(web_page::TStorageLoss::Elsewhere);
  }
  if (onReady) onReady();
}

// The page is being hidden or closed.
EMSCRIPTEN_KEEPALIVE void tarvelle_flush() {
  web_storage::Flush();
}

}  // extern "C"

namespace web_storage {

void Mount(void (*ready)()) {
  onReady = ready;
  files::SetSavedHook([](const std::string&) { Flush(); });
  const char* home = std::getenv("HOME");
  EM_ASM(
      {
        var home = UTF8ToString($0);
        try {
          FS.mkdirTree(home);
          // Without IndexedDB (some private windows) Emscripten's store would stop the
          // program: the files then stay in memory.
          if (typeof indexedDB === "undefined" || !indexedDB) throw new Error("no IndexedDB");
          FS.mount(IDBFS, {}, home);
        } catch (e) {
          Module._tarvelle_storage_loaded(0);
          return;
        }
        FS.syncfs(true, function(err) {
          if (err) console.warn("Tarvelle: the saved files could not be read: " + err);
          Module._tarvelle_storage_loaded(err ? -1 : Module.storeElsewhere ? 2 : 1);
        });
      },
      home && *home ? home : "/home/web_user");
}

void Flush() {
  if (writable && queue.Request()) StartCopy();
}

}  // namespace web_storage
