// The page around the game: the launcher (Start, Help, the links), the canvas the game runs
// in, full screen, the buttons a phone needs (Esc in a corner, the exit prompt's Yes and No,
// the name's field with Done), the phone's life (pause and save when hidden, the screen kept
// awake in play, one tab at a time keeping the files), the replay download, the offline copy
// (sw.js) and the page's messages. The game (tarvelle.js) calls back through the Module's on...
// functions.
(function () {
  "use strict";
  const $ = (id) => document.getElementById(id);
  const launcher = $("launcher"), game = $("game"), canvas = $("canvas"), start = $("start");
  const notice = $("notice"), keyboard = $("keyboard"), download = $("download");
  const nameBar = $("name-bar"), prompt = $("prompt"), escape = $("escape");
  let module = null;  // the game's Module, once it is ready
  // The player uses a touch screen: names are typed on its keyboard.
  let touched = !!(window.matchMedia && window.matchMedia("(pointer: coarse)").matches);
  let gameState = 0, typing = false, asking = false;
  const gs = { playing: 2, exitPrompt: 8 };
  // The SDL key codes of the page's buttons.
  const keys = { Escape: 27, n: 110, y: 121 };
  // What the page's own test reads: the moment of the first frame, the game's state, and
  // whether the player's files (under the home folder) hold a text.
  window.tarvellePage = {
    firstFrameAt: 0,
    ended: 0,
    // A replay from a link: null until it ends, then its final score and whether it played
    // back exactly.
    replay: null,
    wakeLock: false,
    state: (what) => (module && module._tarvelle_state ? module._tarvelle_state(what) : -1),
    savedText: (text) => {
      const found = (folder) => module.FS.readdir(folder).some((name) => {
        if (name === "." || name === "..") return false;
        const file = folder + "/" + name;
        if (module.FS.isDir(module.FS.stat(file).mode)) return found(file);
        return new TextDecoder("latin1").decode(module.FS.readFile(file)).includes(text);
      });
      return found("/home/web_user");
    },
  };

  function say(text) {
    notice.textContent = text;
    notice.hidden = false;
  }

  function showMessage(title, text) {
    const box = $("message");
    box.querySelector("p").textContent = title + ": " + text;
    box.hidden = false;
    box.querySelector("button").onclick = () => { box.hidden = true; };
  }

  if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
    start.textContent = "Start";
    say("This browser cannot run Tarvelle: it has no WebAssembly. " +
        "A current version of any major browser can.");
    return;
  }

  // The newest replay in the game's files, offered as a download (tarvelle --replay FILE).
  function replayFolder() {
    return "/home/web_user/.local/share/Morvane/Tarvelle/replays";
  }
  function newestReplay() {
    try {
      const folder = replayFolder();
      let best = null, bestTime = -1;
      for (const name of module.FS.readdir(folder)) {
        if (!name.endsWith(".tvr")) continue;
        const time = module.FS.stat(folder + "/" + name).mtime.getTime();
        if (time > bestTime) { best = name; bestTime = time; }
      }
      return best ? folder + "/" + best : null;
    } catch (e) {
      return null;
    }
  }
  function offerReplay() {
    download.hidden = !newestReplay();
  }
  download.onclick = () => {
    const path = newestReplay();
    if (!path) return;
    const blob = new Blob([module.FS.readFile(path)], { type: "application/octet-stream" });
    const a = document.createElement("a");
    a.href = URL.createObjectURL(blob);
    a.download = path.substring(path.lastIndexOf("/") + 1);
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
  };

  // The music follows the first frame: the title's piece first.
  let musicFetched = false;
  async function fetchMusic() {
    if (musicFetched) return;
    musicFetched = true;
    for (const name of ["intro", "1", "2"]) {
      try {
        const answer = await fetch("music/" + name + ".ogg");
        if (!answer.ok) throw new Error(answer.status + " " + answer.statusText);
        module.FS.writeFile("/Music/" + name + ".ogg", new Uint8Array(await answer.arrayBuffer()));
        module._tarvelle_music_arrived();
      } catch (e) {
        console.warn("Tarvelle: the music " + name + " could not be loaded: " + e.message);
      }
    }
  }

  // Hidden (another app, the screen locked, the tab left) or closed: a game in play pauses
  // and stays paused until a tap or a key; the settings and the files are saved.
  function hidden() {
    if (module && module._tarvelle_hidden) module._tarvelle_hidden();
  }
  document.addEventListener("visibilitychange", () => {
    if (document.visibilityState === "hidden") hidden();
    else followState();
  });
  window.addEventListener("pagehide", hidden);

  // While a level is played the screen does not dim (where the browser can keep it awake).
  let wakeLock = null;
  async function keepAwake(on) {
    if (!navigator.wakeLock) return;
    try {
      if (on && !wakeLock && document.visibilityState === "visible") {
        wakeLock = await navigator.wakeLock.request("screen");
        window.tarvellePage.wakeLock = true;
        wakeLock.addEventListener("release", () => {
          wakeLock = null;
          window.tarvellePage.wakeLock = false;
        });
      } else if (!on && wakeLock) {
        const lock = wakeLock;
        wakeLock = null;
        window.tarvellePage.wakeLock = false;
        await lock.release();
      }
    } catch (e) {
      wakeLock = null;  // refused (battery saver, no permission): the screen may dim
    }
  }

  // The page's buttons follow the game: Yes and No at the exit prompt and at the question
  // after the first name, the name's field while a name is typed.
  function followState() {
    // (At the question, on a touch screen only: elsewhere the game's own buttons are clicked.)
    prompt.hidden = gameState !== gs.exitPrompt && !(asking && touched);
    const wasTyping = !nameBar.hidden;
    nameBar.hidden = !(typing && touched);
    if (typing && touched && !wasTyping) {
      keyboard.value = "";
      typed = "";
      keyboard.focus();  // some browsers bring the keyboard up only from a tap: see below
    } else if (!typing && wasTyping) {
      keyboard.blur();
      canvas.focus();
    }
    keepAwake(gameState === gs.playing && !game.hidden);
  }
  function press(key) {
    if (module && module._tarvelle_key) module._tarvelle_key(keys[key]);
  }
  // Typed text for the name: Backspace and Enter as the characters a keyboard types for them
  // (Enter stores the name and the table stays on screen until the next tap or key).
  function type(text) {
    if (module) module.ccall("tarvelle_type", null, ["string"], [text]);
  }
  // The corner's button is Esc: in play the exit prompt (which stops the game), in the
  // menus back or "Exit"; browsers keep the Esc key itself for leaving full screen.
  escape.onclick = () => { press("Escape"); canvas.focus(); };
  $("yes").onclick = () => { press("y"); canvas.focus(); };
  $("no").onclick = () => { press("n"); canvas.focus(); };
  function fullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (document.documentElement.requestFullscreen) document.documentElement.requestFullscreen();
  }
  $("fullscreen").onclick = () => { fullScreen(); canvas.focus(); };

  // While playing, the page neither scrolls, zooms nor selects; the page's own buttons and
  // the name's field take their taps as usual.
  for (const type of ["touchstart", "touchmove", "touchend"]) {
    game.addEventListener(type, (e) => {
      touched = true;
      if (e.target.closest && e.target.closest("button, input")) return;
      e.preventDefault();
      // A phone brings its keyboard up only for a focus made by a tap: this one.
      if (type === "touchend" && typing) keyboard.focus();
    }, { passive: false });
  }
  document.addEventListener("gesturestart", (e) => e.preventDefault());
  document.addEventListener("dblclick", (e) => e.preventDefault());

  // Names typed on a phone's keyboard go to the game as typed text. The field keeps the name
  // as typed: what changed since the last input (a letter, a correction, a word suggested) is
  // sent as Backspaces and letters, since phone keyboards often send no key events at all.
  let typed = "";
  keyboard.addEventListener("input", () => {
    if (!module) return;
    const now = keyboard.value;
    if (now === typed) return;
    let same = 0;
    while (same < now.length && same < typed.length && now[same] === typed[same]) same++;
    type("\b".repeat(typed.length - same) + now.substring(same));
    typed = now;
  });
  // The keys typed into the field are the field's: the game sees them only through it.
  for (const kind of ["keydown", "keypress", "keyup"]) {
    keyboard.addEventListener(kind, (e) => {
      e.stopPropagation();
      if (kind !== "keydown") return;
      if (e.key === "Enter") { e.preventDefault(); done(); }
      // Backspace in an empty field changes nothing there: the game is told all the same.
      if (e.key === "Backspace" && !keyboard.value) type("\b");
    });
  }
  function done() {
    type("\r");
    typed = keyboard.value = "";
  }
  $("name-form").onsubmit = (e) => { e.preventDefault(); done(); };

  // A link may name a level pack (?levels=URL: played from Start) and a replay (?replay=URL:
  // played at once to its end, then the title menu), fetched from the web.
  const query = new URLSearchParams(location.search);
  async function fetchInto(address, path) {
    const answer = await fetch(address);
    if (!answer.ok) throw new Error(answer.status + " " + answer.statusText);
    const bytes = new Uint8Array(await answer.arrayBuffer());
    const folder = path.substring(0, path.lastIndexOf("/"));
    let made = "";
    for (const part of folder.split("/").filter((p) => p)) {
      made += "/" + part;
      try { module.FS.mkdir(made); } catch (e) { /* already there */ }
    }
    module.FS.writeFile(path, bytes);
    return path;
  }
  // A pack's file name from its address: "pack-ID" for the exchange's, else the address's last
  // part; letters, digits, "-" and "_" only.
  function packName(address) {
    const path = new URL(address, location.href).pathname;
    const exchange = path.match(/\/packs\/([^/]+)\/file$/);
    const name = exchange ? "pack-" + exchange[1]
                          : path.substring(path.lastIndexOf("/") + 1).replace(/\.dat$/i, "");
    return name.replace(/[^A-Za-z0-9_-]/g, "-").substring(0, 40) || "pack";
  }
  async function followLink() {
    const levels = query.get("levels"), replay = query.get("replay");
    try {
      if (levels) {
        const path = await fetchInto(levels, "/home/web_user/.local/share/Morvane/Tarvelle/levels/" +
                                     packName(levels) + ".dat");
        if (!module.ccall("tarvelle_use_levels", "number", ["string"], [path])) return;
      }
      if (replay) {
        const path = await fetchInto(replay, "/tmp/link.tvr");
        launcher.hidden = true;
        game.hidden = false;
        canvas.focus();
        if (!module.ccall("tarvelle_play_replay", "number", ["string"], [path])) {
          game.hidden = true;
          launcher.hidden = false;
        }
      }
    } catch (e) {
      showMessage("Tarvelle", "The link's " + (replay ? "replay" : "levels") +
                  " could not be loaded: " + e.message);
    }
  }

  start.onclick = () => {
    if (!module || start.disabled) return;
    launcher.hidden = true;
    game.hidden = false;
    canvas.focus();
    if (!module._tarvelle_start()) {
      game.hidden = true;
      launcher.hidden = false;
    }
  };

  const options = {
    canvas: canvas,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    onReady: () => {
      module = options;
      start.disabled = false;
      start.textContent = "Start";
      offerReplay();
      start.focus();
      if (query.get("levels") || query.get("replay")) followLink();
    },
    onReplayEnded: (score, exact) => {
      window.tarvellePage.replay = { score: score, exact: exact };
    },
    onFirstFrame: () => {
      if (!window.tarvellePage.firstFrameAt) window.tarvellePage.firstFrameAt = performance.now();
      fetchMusic();
      keepOffline();
    },
    onState: (state, nowTyping, nowAsking) => {
      gameState = state;
      typing = nowTyping;
      asking = nowAsking;
      followState();
    },
    onGameEnded: () => {
      window.tarvellePage.ended++;
      gameState = 0;
      typing = false;
      asking = false;
      followState();
      if (document.fullscreenElement) document.exitFullscreen();
      game.hidden = true;
      launcher.hidden = false;
      offerReplay();
      start.focus();
    },
    onTextInput: () => {},  // the name's field follows the state (onState)
    onMessage: showMessage,
    onStorageLost: (why) => say([
      "This browser does not let Tarvelle keep anything: settings, high scores and replays " +
        "will be gone when the page closes.",
      "Your saved games could not be read this time: nothing will be kept this time, and " +
        "what was saved before is left as it was.",
      "Tarvelle is open in another tab or window: this one plays without saving, so that " +
        "it does not write over the other's files.",
    ][why] || "Nothing will be kept this time."),
  };

  // One tab at a time keeps the files: a second one reads them but saves nothing, so that it
  // never writes over the first one's. Where the browser has no locks, every tab saves.
  const store = new Promise((resolve) => {
    if (!navigator.locks || !navigator.locks.request) { resolve(false); return; }
    navigator.locks.request("tarvelle-files", { ifAvailable: true }, (lock) => {
      resolve(!lock);
      return lock ? new Promise(() => {}) : null;  // kept for the page's life
    }).catch(() => resolve(false));
  });
  const script = document.createElement("script");
  script.src = "tarvelle.js";
  script.onload = async () => {
    options.storeElsewhere = await store;
    // The game's Module is this object. Its functions are there before the compiled game is, and
    // a call then throws: the page calls into the game only once it is ready (onReady), so a
    // page hidden or closed while it loads saves nothing and breaks nothing.
    createTarvelle(options).catch((e) => showMessage("Tarvelle", String(e)));
  };
  script.onerror = () => say("The game could not be loaded.");
  document.body.appendChild(script);

  // After a first visit the game starts with no network: a worker keeps the build's files.
  // It is registered after the game's first frame, so that its copies never slow the start.
  let offlineAsked = false;
  function keepOffline() {
    if (offlineAsked || !("serviceWorker" in navigator) || location.protocol === "file:") return;
    offlineAsked = true;
    navigator.serviceWorker.register("sw.js").catch((e) =>
      console.warn("Tarvelle: no offline copy: " + e.message));
  }

  // The browser's own offer to install the game, where it makes one.
  let installOffer = null;
  window.addEventListener("beforeinstallprompt", (e) => {
    e.preventDefault();
    installOffer = e;
    $("install").hidden = false;
  });
  $("install").onclick = async () => {
    if (!installOffer) return;
    $("install").hidden = true;
    installOffer.prompt();
    installOffer = null;
  };
})();
