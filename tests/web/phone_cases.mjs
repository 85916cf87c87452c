// The game on a phone (Chromium emulating one: touch, 3 device pixels per CSS pixel), upright
// and on its side: the picture's share of the screen, taps on the menu, the options, the pause
// and the exit prompt, a game lost and a name typed on the phone's keyboard field, a reload
// without Exit that keeps the options, the manifest, the offline worker and a start with no
// network. Each step waits for what it checks. A screenshot is kept of each step.
import fs from "node:fs";
import path from "node:path";
import { PNG } from "pngjs";

export const gs = { menu: 1, playing: 2, levelDone: 3, dying: 4, dead: 5, transition: 6,
                    paused: 7, exitPrompt: 8, highScores: 10, options: 11 };
export const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
export const state = (page, what = 0) => page.evaluate((w) => tarvellePage.state(w), what);
export async function waitState(page, want, ms) {
  return page.waitForFunction((w) => w.includes(tarvellePage.state(0)), { timeout: ms, polling: 50 },
                              want).then(() => true, () => false);
}
export async function waitReady(page) {
  await page.waitForFunction(() => !document.getElementById("start").disabled,
                             { timeout: 60000, polling: 50 });
}

// Hops until every life is lost: into the water on the first level, else at random.
export async function loseEveryLife(page, ms = 240000) {
  const keys = ["ArrowUp", "ArrowRight", "ArrowDown", "ArrowLeft"];
  const until = Date.now() + ms;
  while (Date.now() < until) {
    const s = await state(page);
    if (s === gs.dead || s === gs.highScores) return true;
    if (s === gs.playing) {
      // On the first level the water lies two cells right of the Dragon's start.
      const at = await state(page, 1);
      await page.keyboard.press(at === 106 || at === 206 ? "ArrowRight"
                                                         : keys[Math.floor(Math.random() * 4)]);
      await page.waitForFunction((f) => tarvellePage.state(1) !== f || tarvellePage.state(0) !== 2,
                                 { timeout: 1000, polling: 50 }, at).catch(() => {});
    }
    await sleep(100);
  }
  return false;
}

// Hops toward the nearest food item until the Dragon has eaten (a score that earns a place
// in the high-score table).
export async function eatSomething(page, ms = 90000) {
  const until = Date.now() + ms;
  while (Date.now() < until && await state(page, 6) === 0) {
    const s = await state(page);
    if (s === gs.dead || s === gs.highScores) break;
    const food = await state(page, 7), at = await state(page, 1);
    if (s === gs.playing && food) {
      const dc = Math.floor(food / 100) - Math.floor(at / 100), dr = food % 100 - at % 100;
      await page.keyboard.press(Math.abs(dc) >= Math.abs(dr) ? (dc > 0 ? "ArrowRight" : "ArrowLeft")
                                                             : (dr > 0 ? "ArrowDown" : "ArrowUp"));
      await page.waitForFunction((f) => tarvellePage.state(1) !== f, { timeout: 3000, polling: 50 },
                                 at).then(() => sleep(300), () => {});
    } else {
      await sleep(100);
    }
  }
  return await state(page, 6) > 0;
}

// The picture's place on the page (CSS pixels), from a screenshot: the box of every pixel that
// is not the black around it. The page's own buttons are hidden meanwhile.
export async function pictureBox(page) {
  await page.evaluate(() => { for (const e of document.querySelectorAll(".corner, .bar"))
    e.style.visibility = "hidden"; });
  const png = PNG.sync.read(await page.screenshot());
  await page.evaluate(() => { for (const e of document.querySelectorAll(".corner, .bar"))
    e.style.visibility = ""; });
  let left = png.width, right = -1, top = png.height, bottom = -1;
  for (let y = 0; y < png.height; y++) {
    for (let x = 0; x < png.width; x++) {
      const i = (y * png.width + x) * 4;
      if (png.data[i] + png.data[i + 1] + png.data[i + 2] > 24) {
        if (x < left) left = x;
        if (x > right) right = x;
        if (y < top) top = y;
        if (y > bottom) bottom = y;
      }
    }
  }
  const dpr = await page.evaluate(() => window.devicePixelRatio);
  return { x: left / dpr, y: top / dpr, width: (right - left + 1) / dpr,
           height: (bottom - top + 1) / dpr, screenW: png.width / dpr, screenH: png.height / dpr };
}

export async function phoneCases(browser, url, outDir, check, errors) {
  let step = 0;
  const figures = {};
  const watch = (page) => {
    page.on("console", (m) => {
      if (m.type() === "error") errors.push(m.text());
      fs.appendFileSync(path.join(outDir, "console.log"), "phone " + m.type() + ": " + m.text() + "\n");
    });
    page.on("pageerror", (e) => errors.push("phone: " + String(e)));
  };
  const phone = async (context, width, height) => {
    const page = await context.newPage();
    watch(page);
    await page.setViewport({ width, height, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
                             isLandscape: width > height });
    return page;
  };
  const shot = async (page, name) => {
    await page.screenshot({ path: path.join(outDir, "phone-" + String(++step).padStart(2, "0") +
                                            "-" + name + ".png") });
  };
  // A tap on the game's picture at (x, y) of its 640 x 480 pixels.
  let box = null;
  const tapPicture = async (page, x, y) => {
    await page.touchscreen.tap(box.x + (x + 0.5) * box.width / 640,
                               box.y + (y + 0.5) * box.height / 480);
  };
  const tapMenuItem = async (page, i) => {
    const c = await state(page, 100 + i);
    await tapPicture(page, Math.floor(c / 1000), c % 1000);
  };
  const startGame = async (page) => {
    await waitReady(page);
    await page.tap("#start");
    return waitState(page, [gs.menu], 20000);
  };

  // Upright: the whole walk.
  const upright = await browser.createBrowserContext();
  let page = await phone(upright, 390, 844);
  await page.goto(url, { waitUntil: "load" });
  await shot(page, "portrait-launcher");
  check(await startGame(page), "phone upright: Start by a tap shows the title menu");
  await page.waitForFunction(() => tarvellePage.state(4) === 1, { timeout: 10000 }).catch(() => {});
  box = await pictureBox(page);
  figures.portrait = box.width / box.screenW;
  check(figures.portrait >= 0.95, `phone upright: the picture spans ${(100 * figures.portrait).toFixed(1)} % of the width (at least 95 %)`);
  await shot(page, "portrait-title");

  check(await state(page, 3) === 1, "phone upright: New Game is selected");
  await tapMenuItem(page, 3);
  check(await waitState(page, [gs.options], 5000), "phone upright: a tap on Options opens Options at once");
  await shot(page, "portrait-options");
  const difficulty = await state(page, 5);
  await tapPicture(page, 447, 290);  // the difficulty's right arrow
  await page.waitForFunction((d) => tarvellePage.state(5) !== d, { timeout: 5000 }, difficulty).catch(() => {});
  const changed = await state(page, 5);
  check(changed !== difficulty, `phone upright: a tap on the difficulty's arrow changes it (${difficulty} to ${changed})`);
  await tapPicture(page, 320, 325);  // OK
  check(await waitState(page, [gs.menu], 5000), "phone upright: a tap on OK leaves Options");
  // Reloaded without Exit (a phone closes tabs so): the option is kept.
  await page.reload({ waitUntil: "load" });
  await waitReady(page);
  check(await page.evaluate((d) => tarvellePage.savedText("Diff = dword:" + d), changed),
        "phone upright: Options changed, the page reloaded without Exit: the value is kept");

  // The worker that keeps the game for play with no network, and the manifest.
  const controlled = await page.waitForFunction(() => navigator.serviceWorker.controller !== null,
                                                { timeout: 30000, polling: 100 }).then(() => true, () => false);
  check(controlled, "the offline worker controls the page");
  const session = await page.createCDPSession();
  const manifest = await session.send("Page.getAppManifest");
  const data = JSON.parse(manifest.data || "{}");
  check(manifest.errors.length === 0 && data.name === "Tarvelle" && data.short_name &&
        data.display === "standalone" && data.theme_color && data.icons.length >= 2,
        "the manifest is valid (" + (manifest.errors.map((e) => e.message).join("; ") || "no errors") + ")");
  const icons = await page.evaluate(async (list) => Promise.all(list.map((i) => new Promise((ok) => {
    const img = new Image();
    img.onload = () => ok(img.naturalWidth + "x" + img.naturalHeight === i.sizes);
    img.onerror = () => ok(false);
    img.src = i.src;
  }))), data.icons || []);
  check(icons.length > 0 && icons.every(Boolean), "the manifest's icons load at their sizes");

  // A game: New Game by a tap, the pond, the pause on a hidden page, the exit prompt.
  check(await startGame(page), "phone upright: Start after the reload");
  await tapMenuItem(page, 1);
  check(await waitState(page, [gs.playing], 15000), "phone upright: a tap on New Game starts a game");
  await sleep(1500);
  await shot(page, "portrait-pond");
  await page.evaluate(() => {
    Object.defineProperty(document, "visibilityState", { value: "hidden", configurable: true });
    document.dispatchEvent(new Event("visibilitychange"));
  });
  check(await waitState(page, [gs.paused], 3000), "phone upright: a hidden page pauses the game");
  await page.evaluate(() => {
    Object.defineProperty(document, "visibilityState", { value: "visible", configurable: true });
    document.dispatchEvent(new Event("visibilitychange"));
  });
  await sleep(300);
  check(await state(page) === gs.paused, "phone upright: the game stays paused when the page is back");
  await shot(page, "portrait-pause");
  await tapPicture(page, 620, 470);
  check(await waitState(page, [gs.playing], 3000), "phone upright: a tap resumes the paused game");
  await page.tap("#escape");
  check(await waitState(page, [gs.exitPrompt], 3000), "phone upright: the corner's button brings the exit prompt");
  await page.waitForSelector("#prompt:not([hidden])", { timeout: 3000 }).catch(() => {});
  await shot(page, "portrait-exit-prompt");
  await page.tap("#no");
  check(await waitState(page, [gs.playing], 3000), "phone upright: No by a tap goes back to the game");

  // Food eaten, every life lost, and a name typed on the phone's keyboard field (a tap
  // continues instead where the score earns no place).
  check(await eatSomething(page), "phone upright: the Dragon eats");
  check(await loseEveryLife(page), "phone upright: the game ends when every life is lost");
  await shot(page, "portrait-game-over");
  if (await state(page) === gs.dead) {
    await tapPicture(page, 320, 240);
    check(await waitState(page, [gs.menu], 5000), "phone upright: a tap continues after game over");
  } else {
    await page.waitForSelector("#name-bar:not([hidden])", { timeout: 5000 }).catch(() => {});
    check(await page.$eval("#name-bar", (e) => !e.hidden), "phone upright: the name's field and Done show");
    await page.tap("#keyboard");
    await page.keyboard.type("Phone", { delay: 30 });
    await page.keyboard.press("Backspace");
    await page.keyboard.type("E", { delay: 30 });
    await shot(page, "portrait-name");
    await page.tap("#done");
    await page.waitForFunction(() => tarvellePage.savedText("PhonE"), { timeout: 5000, polling: 100 })
      .then(() => check(true, "phone upright: a name typed on the phone's keyboard field is kept"),
            () => check(false, "phone upright: a name typed on the phone's keyboard field is kept"));
    await shot(page, "portrait-table");
    // The first name kept brings the question of the world table, once: the page's No.
    if (await page.waitForSelector("#prompt:not([hidden])", { timeout: 3000 }).then(() => true, () => false)) {
      await shot(page, "portrait-share-question");
      await page.tap("#no");
      await page.waitForFunction(() => tarvellePage.state(9) === 2, { timeout: 3000, polling: 50 })
        .then(() => check(true, "phone upright: No by a tap answers the world table's question"),
              () => check(false, "phone upright: No by a tap answers the world table's question"));
    }
    // A tap leaves the table for "Press any key" of the game's end, another for the menu.
    await tapPicture(page, 320, 240);
    if (await waitState(page, [gs.dead], 3000)) await tapPicture(page, 320, 240);
    check(await waitState(page, [gs.menu], 5000), "phone upright: taps leave the table for the menu");
  }

  // With no network after that one visit, the game still starts.
  const offline = await page.createCDPSession();
  const network = (off) => offline.send("Network.emulateNetworkConditions",
      { offline: off, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  await offline.send("Network.enable");
  await network(true);
  const t0 = Date.now();
  await page.reload({ waitUntil: "load" });
  check(await startGame(page), "with no network after one visit, the title comes up");
  figures.offline = Date.now() - t0;
  await shot(page, "portrait-offline");
  await network(false);
  await upright.close();

  // On its side: the title, the pond, the exit prompt answered Yes, the table.
  const side = await browser.createBrowserContext();
  page = await phone(side, 844, 390);
  await page.goto(url, { waitUntil: "load" });
  check(await startGame(page), "phone on its side: Start by a tap shows the title menu");
  box = await pictureBox(page);
  figures.landscape = box.height / box.screenH;
  check(figures.landscape >= 0.95, `phone on its side: the picture spans ${(100 * figures.landscape).toFixed(1)} % of the height (at least 95 %)`);
  await shot(page, "landscape-title");
  await tapMenuItem(page, 1);
  check(await waitState(page, [gs.playing], 15000), "phone on its side: a tap on New Game starts a game");
  await sleep(1500);
  await shot(page, "landscape-pond");
  await page.evaluate(() => window.dispatchEvent(new Event("blur")));
  const paused = await waitState(page, [gs.paused], 3000);
  check(paused, "phone on its side: the window losing the focus pauses the game");
  await shot(page, "landscape-pause");
  if (paused) {
    await page.evaluate(() => window.dispatchEvent(new Event("focus")));  // back to the game
    await tapPicture(page, 620, 470);
    check(await waitState(page, [gs.playing], 3000), "phone on its side: a tap resumes the paused game");
  }
  await page.tap("#escape");
  check(await waitState(page, [gs.exitPrompt], 3000), "phone on its side: the corner's button brings the exit prompt");
  await shot(page, "landscape-exit-prompt");
  await page.tap("#yes");
  check(await waitState(page, [gs.menu], 3000), "phone on its side: Yes by a tap goes back to the title menu");
  await tapMenuItem(page, 2);
  check(await waitState(page, [gs.highScores], 5000), "phone on its side: a tap on High Scores shows the table");
  await sleep(500);
  await shot(page, "landscape-table");
  await tapPicture(page, 320, 240);
  check(await waitState(page, [gs.menu], 5000), "phone on its side: a tap leaves the table");
  await side.close();
  return figures;
}
