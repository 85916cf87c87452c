// The page around the game: the launcher (Start, Help, the links), the canvas the game runs
// in, full screen, the on-screen keyboard for names, the replay download, and the page's
// messages. The game (tarvelle.js) calls back through the Module's on... functions.
(function () {
  "use strict";
  const $ = (id) => document.getElementById(id);
  const launcher = $("launcher"), game = $("game"), canvas = $("canvas"), start = $("start");
  const notice = $("notice"), keyboard = $("keyboard"), download = $("download");
  let module = null;
  let touched = false;  // the player uses a touch screen: names are typed on its keyboard
  // What the page's own test reads: the moment of the first frame, the game's state, and
  // whether the player's files (under the home folder) hold a text.
  window.tarvellePage = {
    firstFrameAt: 0,
    ended: 0,
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

  function flush() {
    if (module && module._tarvelle_flush) module._tarvelle_flush();
  }
  document.addEventListener("visibilitychange", () => {
    if (document.visibilityState === "hidden") flush();
  });
  window.addEventListener("pagehide", flush);

  function fullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (document.documentElement.requestFullscreen) document.documentElement.requestFullscreen();
  }
  $("fullscreen").onclick = () => { fullScreen(); canvas.focus(); };

  // While playing, the page neither scrolls, zooms nor selects.
  for (const type of ["touchstart", "touchmove", "touchend"]) {
    game.addEventListener(type, (e) => {
      touched = true;
      if (e.target !== $("fullscreen")) e.preventDefault();
    }, { passive: false });
  }
  document.addEventListener("gesturestart", (e) => e.preventDefault());
  document.addEventListener("dblclick", (e) => e.preventDefault());

  // Names typed on a phone's keyboard go to the game as typed text.
  keyboard.addEventListener("input", () => {
    if (keyboard.value && module) {
      module.ccall("tarvelle_type", null, ["string"], [keyboard.value]);
      keyboard.value = "";
    }
  });

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
      start.disabled = false;
      start.textContent = "Start";
      offerReplay();
      start.focus();
    },
    onFirstFrame: () => {
      if (!window.tarvellePage.firstFrameAt) window.tarvellePage.firstFrameAt = performance.now();
      fetchMusic();
    },
    onGameEnded: () => {
      window.tarvellePage.ended++;
      if (document.fullscreenElement) document.exitFullscreen();
      game.hidden = true;
      launcher.hidden = false;
      offerReplay();
      start.focus();
    },
    onTextInput: (on) => {
      if (on && touched) keyboard.focus();
      else if (!on) { keyboard.blur(); canvas.focus(); }
    },
    onMessage: showMessage,
    onStorageLost: () => say("This browser does not let Tarvelle keep anything: settings, " +
                             "high scores and replays will be gone when the page closes."),
  };
  const script = document.createElement("script");
  script.src = "tarvelle.js";
  script.onload = () => {
    module = options;  // the game's Module is this object
    createTarvelle(options).catch((e) => showMessage("Tarvelle", String(e)));
  };
  script.onerror = () => say("The game could not be loaded.");
  document.body.appendChild(script);
})();
