// The web build in a real browser (Debian's Chromium, headless): Start, the title menu, a game
// with hops by key and by swipe, game over and a name in the high-score table, which a reload
// of the page still finds; Exit and Start again; a second tab that saves nothing over the
// first's files; a store that fails to load, which is never written over; a phone upright and
// on its side (phone_cases.mjs); the first frame over an emulated phone network; and not one
// error in the console. Each step waits for what it checks. A screenshot is kept of each step.
//   node web_test.mjs URL OUTDIR
import fs from "node:fs";
import path from "node:path";
import { launchChromium } from "./chromium.mjs";
import { PNG } from "pngjs";
import { gs, sleep, state, waitState, waitReady, eatSomething, loseEveryLife, pictureBox,
         phoneCases } from "./phone_cases.mjs";

const [url, outDir] = process.argv.slice(2);
fs.mkdirSync(outDir, { recursive: true });
const NAME = "WEBHOP";
let passed = 0, failed = 0;
const problems = [];

const began = Date.now();
function check(ok, what) {
  const at = ((Date.now() - began) / 1000).toFixed(1).padStart(6) + " s  ";
  if (ok) { passed++; console.log(at + "ok   " + what); }
  else { failed++; console.log(at + "FAIL " + what); problems.push(what); }
}

const { browser, profile } = await launchChromium();
const errors = [];
const figures = {};
const watch = (p, what) => {
  p.on("console", (m) => {
    if (m.type() === "error") errors.push(m.text());
    fs.appendFileSync(path.join(outDir, "console.log"), what + " " + m.type() + ": " + m.text() + "\n");
  });
  p.on("pageerror", (e) => {
    errors.push(what + ": " + String(e));
    fs.appendFileSync(path.join(outDir, "console.log"), what + " page error: " + e.stack + "\n");
  });
};
// A page that reads the files of the default profile: whether it finds a text in them.
const filesHold = async (text) => {
  const p = await browser.newPage();
  watch(p, "files");
  await p.goto(url, { waitUntil: "load" });
  await waitReady(p);
  const found = await p.evaluate((t) => tarvellePage.savedText(t), text);
  await p.close();
  return found;
};
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 960, height: 720 });
  watch(page, "page");
  page.on("requestfailed", (r) => errors.push("failed to load " + r.url()));

  let step = 0;
  const shot = async (name) => {
    const file = path.join(outDir, String(++step).padStart(2, "0") + "-" + name + ".png");
    await page.screenshot({ path: file });
    return file;
  };
  // The share of the canvas's pixels within a few steps of each colour.
  const colours = async (list) => {
    const png = PNG.sync.read(await (await page.$("#canvas")).screenshot());
    const counts = list.map(() => 0);
    for (let i = 0; i < png.data.length; i += 4) {
      const [r, g, b] = [png.data[i], png.data[i + 1], png.data[i + 2]];
      list.forEach((c, k) => {
        if (Math.abs(r - (c >> 16)) + Math.abs(g - ((c >> 8) & 255)) + Math.abs(b - (c & 255)) <= 24)
          counts[k]++;
      });
    }
    return counts.map((n) => n / (png.data.length / 4));
  };
  const key = async (k) => { await page.keyboard.press(k); await sleep(60); };
  const cell = () => state(page, 1);
  // Waits until the Dragon has landed somewhere else than `from`.
  const landedFrom = (from) => page.waitForFunction((f) => tarvellePage.state(1) !== f,
      { timeout: 3000, polling: 50 }, from).then(() => sleep(300), () => {});

  // The launcher page, then Start.
  await page.goto(url, { waitUntil: "load" });
  await waitReady(page);
  await shot("launcher");
  check(await page.$eval(".lettering", (e) => e.textContent) === "Tarvelle", "the page shows the launcher");
  await page.click("#start");
  await page.waitForFunction(() => tarvellePage.firstFrameAt > 0, { timeout: 30000 });
  const firstFrame = await page.evaluate(() => tarvellePage.firstFrameAt);
  console.log(`navigation to the title's first frame: ${Math.round(firstFrame)} ms`);
  fs.writeFileSync(path.join(outDir, "first-frame-ms.txt"), String(Math.round(firstFrame)) + "\n");
  check(await waitState(page, [gs.menu], 10000), "Start shows the title menu");
  // The water, and the lettering's gold and navy outline (once the title has zoomed in).
  let title = [0, 0, 0];
  for (let i = 0; i < 40; i++) {
    title = await colours([0x46B1DD, 0x1A2433, 0xFFD23F]);
    if (title[0] > 0.2 && title[1] > 0.003 && title[2] > 0.0005) break;
    await sleep(100);
  }
  const [water0, navy, gold] = title;
  await shot("title");
  check(water0 > 0.2 && navy > 0.003 && gold > 0.0005,
        `the title's colours are in the canvas (water ${water0.toFixed(2)}, navy ${navy.toFixed(3)}, gold ${gold.toFixed(4)})`);

  // A game: Enter starts it on the pond.
  await key("Enter");
  check(await waitState(page, [gs.playing], 15000), "Enter starts a game");
  await sleep(300);
  await shot("pond");
  const [water] = await colours([0x46B1DD]);
  check(water > 0.1, `the pond's water fills the canvas (${water.toFixed(2)})`);

  const before = await cell();
  await key("ArrowUp");
  await landedFrom(before);
  const afterKey = await cell();
  check(afterKey !== before, `the Up key hops the Dragon (${before} to ${afterKey})`);
  await shot("hop-by-key");

  // A swipe to the right across the canvas.
  const box = await (await page.$("#canvas")).boundingBox();
  const cx = box.x + box.width / 2, cy = box.y + box.height / 2;
  const session = await page.createCDPSession();
  const touch = (type, x, y) => session.send("Input.dispatchTouchEvent", {
    type, touchPoints: type === "touchEnd" ? [] : [{ x, y }] });
  await touch("touchStart", cx, cy);
  for (let i = 1; i <= 5; i++) await touch("touchMove", cx + i * 24, cy);
  await touch("touchEnd", 0, 0);
  await landedFrom(afterKey);
  const afterSwipe = await cell();
  check(Math.floor(afterSwipe / 100) === Math.floor(afterKey / 100) + 1,
        `a swipe to the right hops the Dragon right (${afterKey} to ${afterSwipe})`);
  await shot("hop-by-swipe");

  // Food for a score that earns a place in the table.
  check(await eatSomething(page), `the Dragon eats (score ${await state(page, 6)})`);

  // Every life lost: hops into the water.
  check(await loseEveryLife(page), "the game ends when every life is lost");
  await shot("game-over");
  // The name for the high-score table.
  await waitState(page, [gs.highScores], 10000);
  await page.keyboard.type(NAME, { delay: 30 });
  await shot("name");
  await key("Enter");
  await sleep(300);
  await shot("high-scores");

  // A reload finds the name, from the browser's storage.
  await page.reload({ waitUntil: "load" });
  await waitReady(page);
  const kept = await page.evaluate((name) => tarvellePage.savedText(name), NAME);
  check(kept, "after a reload the name is still in the high-score table");
  await page.click("#start");
  check(await waitState(page, [gs.menu], 10000), "Start again after the reload");
  await key("ArrowDown");  // the menu's next item: High Scores
  await key("Enter");
  check(await waitState(page, [gs.highScores], 5000), "the menu's High Scores shows the table");
  await sleep(300);
  await shot("high-scores-after-reload");

  // The title menu's Exit hands the page back its Start, and Start plays again: a fresh start
  // with the menu built again and its music.
  await key("Enter");
  check(await waitState(page, [gs.menu], 5000), "a key leaves the table for the title menu");
  const picture = await pictureBox(page);
  const exit = await state(page, 106);
  await page.mouse.move(picture.x + (Math.floor(exit / 1000) + 0.5) * picture.width / 640,
                        picture.y + (exit % 1000 + 0.5) * picture.height / 480);
  await page.waitForFunction(() => tarvellePage.state(3) === 6, { timeout: 5000, polling: 50 }).catch(() => {});
  await page.mouse.down();
  await page.mouse.up();
  await shot("exit-chosen");
  await page.waitForFunction(() => tarvellePage.ended === 1 &&
      !document.getElementById("launcher").hidden, { timeout: 10000 }).then(
      () => check(true, "a click on Exit brings back the page's Start"),
      () => check(false, "a click on Exit brings back the page's Start"));
  await shot("after-exit");
  await page.click("#start");
  check(await waitState(page, [gs.menu], 10000), "Start after Exit shows the title menu again");
  check(await state(page, 3) === 1, "after Exit and Start the title menu is built again (New Game selected)");
  await page.waitForFunction(() => tarvellePage.state(4) === 1, { timeout: 10000, polling: 100 }).then(
      () => check(true, "after Exit and Start the title's music is loaded again"),
      () => check(false, "after Exit and Start the title's music is loaded again"));
  await shot("title-again");

  // A second tab: it reads the files but saves nothing over the first tab's.
  const second = await browser.newPage();
  await second.setViewport({ width: 960, height: 720 });
  watch(second, "second");
  await second.goto(url, { waitUntil: "load" });
  await waitReady(second);
  check(await second.$eval("#notice", (e) => !e.hidden && /another tab/.test(e.textContent)),
        "a second tab says that the game is open elsewhere");
  check(await second.evaluate((n) => tarvellePage.savedText(n), NAME), "the second tab reads the files");
  await second.click("#start");
  await waitState(second, [gs.menu], 10000);
  const diff = await state(second, 5);
  await second.keyboard.press("ArrowDown");
  await second.keyboard.press("ArrowDown");
  await second.keyboard.press("Enter");
  const inOptions = await waitState(second, [gs.options], 5000);
  const box2 = await pictureBox(second);
  await second.mouse.click(box2.x + 447.5 * box2.width / 640, box2.y + 290.5 * box2.height / 480);
  await second.waitForFunction((d) => tarvellePage.state(5) !== d, { timeout: 3000 }, diff).catch(() => {});
  const diff2 = await state(second, 5);
  await second.mouse.click(box2.x + 320.5 * box2.width / 640, box2.y + 325.5 * box2.height / 480);
  await waitState(second, [gs.menu], 5000);
  check(inOptions && diff2 !== diff, `the second tab changes the difficulty (${diff} to ${diff2})`);
  await second.evaluate(() => { window.dispatchEvent(new Event("pagehide")); });
  await sleep(300);
  await second.close();
  await page.close();  // the first tab goes too: its files stay as it saved them
  check(!await filesHold("Diff = dword:" + diff2) && await filesHold(NAME),
        "the second tab saved nothing over the first tab's files");

  // A store that fails to load once: the page says so, plays, and never writes over it.
  const broken = await browser.newPage();
  watch(broken, "broken");
  await broken.evaluateOnNewDocument(() => {
    const open = IDBFactory.prototype.open;
    let failed = false;
    IDBFactory.prototype.open = function (...args) {
      if (!failed) { failed = true; throw new DOMException("injected failure", "UnknownError"); }
      return open.apply(this, args);
    };
  });
  await broken.goto(url, { waitUntil: "load" });
  await waitReady(broken);
  check(await broken.$eval("#notice", (e) => !e.hidden && /could not be read/.test(e.textContent)),
        "a store that fails to load: the page says that nothing will be kept this time");
  await broken.click("#start");
  check(await waitState(broken, [gs.menu], 10000), "a store that fails to load: the game still starts");
  await broken.keyboard.press("Escape");
  await broken.keyboard.press("Enter");  // Exit: saves the settings
  await broken.waitForFunction(() => tarvellePage.ended === 1, { timeout: 10000 }).catch(() => {});
  await broken.close();
  check(await filesHold(NAME), "a store that failed to load keeps the earlier name");

  // A browser that keeps nothing (IndexedDB refused, as in some private windows): the game
  // plays on and the page says so once.
  const bare = await browser.newPage();
  watch(bare, "bare");
  await bare.evaluateOnNewDocument(() => {
    Object.defineProperty(window, "indexedDB", { get: () => undefined });
  });
  await bare.goto(url, { waitUntil: "load" });
  await waitReady(bare);
  check(await bare.$eval("#notice", (e) => !e.hidden && /nothing|keep/.test(e.textContent)),
        "without storage the page says that nothing will be kept");
  await bare.click("#start");
  check(await waitState(bare, [gs.menu], 10000), "without storage the game still starts");
  await bare.screenshot({ path: path.join(outDir, "no-storage.png") });
  await bare.close();

  // A browser without WebAssembly gets a plain message.
  const old = await browser.newPage();
  await old.evaluateOnNewDocument(() => { delete window.WebAssembly; });
  await old.goto(url, { waitUntil: "load" });
  check(await old.$eval("#notice", (e) => !e.hidden && /WebAssembly/.test(e.textContent)),
        "without WebAssembly the page says so");
  await old.screenshot({ path: path.join(outDir, "no-webassembly.png") });
  await old.close();

  // A phone, upright and on its side.
  Object.assign(figures, await phoneCases(browser, url, outDir, check, errors));

  // The first visit on a phone's network (9 Mbit/s down, 150 ms round trip): navigation to
  // the title's first frame, Start tapped as soon as it can be.
  const slow = await browser.createBrowserContext();
  const net = await slow.newPage();
  watch(net, "network");
  await net.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  const cdp = await net.createCDPSession();
  await cdp.send("Network.enable");
  await cdp.send("Network.setCacheDisabled", { cacheDisabled: true });
  await cdp.send("Network.emulateNetworkConditions", { offline: false, latency: 150,
      downloadThroughput: 9e6 / 8, uploadThroughput: 1.5e6 / 8 });
  // The bytes of every request made before the first frame (the music comes after it).
  let bytes = 0, counting = true;
  const early = new Set();
  cdp.on("Network.requestWillBeSent", (e) => {
    if (counting && !/\/music\//.test(e.request.url)) early.add(e.requestId);
  });
  cdp.on("Network.loadingFinished", (e) => { if (early.has(e.requestId)) bytes += e.encodedDataLength; });
  await net.goto(url, { waitUntil: "load" });
  await waitReady(net);
  await net.tap("#start");
  await net.waitForFunction(() => tarvellePage.firstFrameAt > 0, { timeout: 60000, polling: 20 });
  counting = false;
  await sleep(500);  // the requests made before it finish
  figures.phoneNetwork = Math.round(await net.evaluate(() => tarvellePage.firstFrameAt));
  figures.phoneBytes = bytes;
  check(figures.phoneNetwork > 0, `on a phone's network the title's first frame comes ${figures.phoneNetwork} ms after navigation (${bytes} bytes)`);
  await slow.close();
} catch (e) {
  check(false, "the walk through the game went on to its end: " + e.message);
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
fs.writeFileSync(path.join(outDir, "figures.json"), JSON.stringify(figures, null, 1) + "\n");
check(errors.length === 0, "no errors in the console" + (errors.length ? ": " + errors.join(" | ") : ""));
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
