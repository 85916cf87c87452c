// The web build in a real browser (Debian's Chromium, headless): Start, the title menu, a game
// with hops by key and by swipe, game over and a name in the high-score table, which a reload
// of the page still finds; and not one error in the console. A screenshot is kept of each step.
//   node web_test.mjs URL OUTDIR
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";
import { PNG } from "pngjs";

const [url, outDir] = process.argv.slice(2);
fs.mkdirSync(outDir, { recursive: true });
const gs = { menu: 1, playing: 2, dying: 4, dead: 5, transition: 6, highScores: 10 };
const NAME = "WEBHOP";
let passed = 0, failed = 0;
const problems = [];

function check(ok, what) {
  if (ok) { passed++; console.log("ok   " + what); }
  else { failed++; console.log("FAIL " + what); problems.push(what); }
}

const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tarvelle-chromium-"));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  userDataDir: profile,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--enable-unsafe-swiftshader", "--autoplay-policy=user-gesture-required"],
});
const errors = [];
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 960, height: 720 });
  page.on("console", (m) => {
    if (m.type() === "error") errors.push(m.text());
    fs.appendFileSync(path.join(outDir, "console.log"), m.type() + ": " + m.text() + "\n");
  });
  page.on("pageerror", (e) => errors.push(String(e)));
  page.on("requestfailed", (r) => errors.push("failed to load " + r.url()));

  let step = 0;
  const shot = async (name) => {
    const file = path.join(outDir, String(++step).padStart(2, "0") + "-" + name + ".png");
    await page.screenshot({ path: file });
    return file;
  };
  const state = (what = 0) => page.evaluate((w) => tarvellePage.state(w), what);
  const waitState = async (want, ms) => {
    const until = Date.now() + ms;
    while (Date.now() < until) {
      if (want.includes(await state())) return true;
      await new Promise((r) => setTimeout(r, 100));
    }
    return false;
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
  const key = async (k) => { await page.keyboard.press(k); await new Promise((r) => setTimeout(r, 150)); };

  // The launcher page, then Start.
  await page.goto(url, { waitUntil: "load" });
  await page.waitForFunction(() => !document.getElementById("start").disabled, { timeout: 60000 });
  await shot("launcher");
  check(await page.$eval(".lettering", (e) => e.textContent) === "Tarvelle", "the page shows the launcher");
  await page.click("#start");
  await page.waitForFunction(() => tarvellePage.firstFrameAt > 0, { timeout: 30000 });
  const firstFrame = await page.evaluate(() => tarvellePage.firstFrameAt);
  console.log(`navigation to the title's first frame: ${Math.round(firstFrame)} ms`);
  fs.writeFileSync(path.join(outDir, "first-frame-ms.txt"), String(Math.round(firstFrame)) + "\n");
  check(await waitState([gs.menu], 10000), "Start shows the title menu");
  await new Promise((r) => setTimeout(r, 1500));
  await shot("title");
  // The water, and the lettering's gold and navy outline.
  const [water0, navy, gold] = await colours([0x46B1DD, 0x1A2433, 0xFFD23F]);
  check(water0 > 0.2 && navy > 0.003 && gold > 0.0005,
        `the title's colours are in the canvas (water ${water0.toFixed(2)}, navy ${navy.toFixed(3)}, gold ${gold.toFixed(4)})`);

  // A game: Enter starts it on the pond.
  await key("Enter");
  check(await waitState([gs.playing], 15000), "Enter starts a game");
  await new Promise((r) => setTimeout(r, 1000));
  await shot("pond");
  const [water] = await colours([0x46B1DD]);
  check(water > 0.1, `the pond's water fills the canvas (${water.toFixed(2)})`);

  const cell = () => state(1);
  const before = await cell();
  await key("ArrowUp");
  await new Promise((r) => setTimeout(r, 500));
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
  await new Promise((r) => setTimeout(r, 500));
  const afterSwipe = await cell();
  check(Math.floor(afterSwipe / 100) === Math.floor(afterKey / 100) + 1,
        `a swipe to the right hops the Dragon right (${afterKey} to ${afterSwipe})`);
  await shot("hop-by-swipe");

  // Every life lost: the Dragon waits until the pond takes it, each time.
  const over = await waitState([gs.dead, gs.highScores], 420000);
  check(over, "the game ends when every life is lost");
  await shot("game-over");
  // The name for the high-score table.
  await page.waitForFunction(() => tarvellePage.state(0) === 10 || tarvellePage.typing,
                             { timeout: 30000 }).catch(() => {});
  await new Promise((r) => setTimeout(r, 1000));
  await page.keyboard.type(NAME, { delay: 80 });
  await shot("name");
  await key("Enter");
  await new Promise((r) => setTimeout(r, 1500));
  await shot("high-scores");

  // A reload finds the name, from the browser's storage.
  await page.reload({ waitUntil: "load" });
  await page.waitForFunction(() => !document.getElementById("start").disabled, { timeout: 60000 });
  const kept = await page.evaluate((name) => tarvellePage.savedText(name), NAME);
  check(kept, "after a reload the name is still in the high-score table");
  await page.click("#start");
  check(await waitState([gs.menu], 10000), "Start again after the reload");
  await new Promise((r) => setTimeout(r, 1000));
  await key("ArrowDown");  // the menu's next item: High Scores
  await key("Enter");
  await new Promise((r) => setTimeout(r, 1500));
  check(await state() === gs.highScores, "the menu's High Scores shows the table");
  await shot("high-scores-after-reload");

  // The title menu's Exit hands the page back its Start, and Start plays again.
  await key("Enter");
  check(await waitState([gs.menu], 5000), "a key leaves the table for the title menu");
  await new Promise((r) => setTimeout(r, 1000));
  // A click on "Exit" (at 320, 355 of the picture, shown at 1x in the middle of the canvas).
  const area = await (await page.$("#canvas")).boundingBox();
  await page.mouse.click(area.x + area.width / 2, area.y + (area.height - 480) / 2 + 355);
  await new Promise((r) => setTimeout(r, 300));
  await shot("exit-chosen");
  if (await state() === gs.menu) await key("Enter");  // the pointer chose it: Enter takes it
  if (await state() === 8) await key("y");  // a question whether to quit: yes
  await page.waitForFunction(() => tarvellePage.ended === 1 &&
      !document.getElementById("launcher").hidden, { timeout: 10000 }).then(
      () => check(true, "Exit brings back the page's Start"),
      () => check(false, "Exit brings back the page's Start"));
  await shot("after-exit");
  await page.click("#start");
  check(await waitState([gs.menu], 10000), "Start after Exit shows the title menu again");
  await new Promise((r) => setTimeout(r, 1000));
  await shot("title-again");

  // A browser that keeps nothing (IndexedDB refused, as in some private windows): the game
  // plays on and the page says so once.
  const bare = await browser.newPage();
  bare.on("pageerror", (e) => errors.push(String(e)));
  await bare.evaluateOnNewDocument(() => {
    Object.defineProperty(window, "indexedDB", { get: () => undefined });
  });
  await bare.goto(url, { waitUntil: "load" });
  await bare.waitForFunction(() => !document.getElementById("start").disabled, { timeout: 60000 });
  check(await bare.$eval("#notice", (e) => !e.hidden && /nothing|keep/.test(e.textContent)),
        "without storage the page says that nothing will be kept");
  await bare.click("#start");
  await bare.waitForFunction(() => tarvellePage.state(0) === 1, { timeout: 10000 }).then(
      () => check(true, "without storage the game still starts"),
      () => check(false, "without storage the game still starts"));
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
} catch (e) {
  check(false, "the walk through the game went on to its end: " + e.message);
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
check(errors.length === 0, "no errors in the console" + (errors.length ? ": " + errors.join(" | ") : ""));
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
