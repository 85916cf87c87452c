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
  if (queue.TakeFailureNotice()) web_page::StorageLost();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void tarvelle_storage_copied(int ok) {
  if (queue.Finished(ok != 0)) StartCopy();
  NoticeLoss();
}

EMSCRIPTEN_KEEPALIVE void tarvelle_storage_loaded(int ok) {
  if (!ok) {
    // A store that cannot be read will not keep anything either.
    queue.Request();
    queue.Finished(false);
    NoticeLoss();
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
          FS.syncfs(true, function(err) { Module._tarvelle_storage_loaded(err ? 0 : 1); });
        } catch (e) {
          Module._tarvelle_storage_loaded(0);
        }
      },
      home && *home ? home : "/home/web_user");
}

void Flush() {
  if (queue.Request()) StartCopy();
}

}  // namespace web_storage
