// The web version against the real world table's server (tarvelle-server serving the web build
// under /play/): a game played in the browser whose score enters the high-score table, the
// question answered Yes by a tap on the game's own button, the replay sent through the
// browser's fetch, verified and ranked by the server, and the rank kept beside the row; then,
// on a phone upright and on its side, /play/?replay=/api/v1/replays/ID plays that game to its
// end exactly, and the title menu follows. A screenshot is kept of each step.
//   node world_test.mjs SERVER_URL OUTDIR
import fs from "node:fs";
import path from "node:path";
import { launchChromium } from "./chromium.mjs";
import { gs, sleep, state, waitState, waitReady, eatSomething, loseEveryLife, pictureBox }
  from "./phone_cases.mjs";

const [server, outDir] = process.argv.slice(2);
fs.mkdirSync(outDir, { recursive: true });
const NAME = "FETCH";
let failed = 0;
const began = Date.now();
function check(ok, what) {
  const at = ((Date.now() - began) / 1000).toFixed(1).padStart(6) + " s  ";
  console.log(at + (ok ? "ok   " : "FAIL ") + what);
  if (!ok) failed++;
}
const api = async (p) => (await fetch(new URL(p, server))).json();

const { browser, profile } = await launchChromium({ soundWaitsForGesture: false });
const errors = [];
let step = 0;
const watch = (page, what) => {
  page.on("console", (m) => {
    if (m.type() === "error") errors.push(what + ": " + m.text());
    fs.appendFileSync(path.join(outDir, "console.log"), what + " " + m.type() + ": " + m.text() + "\n");
  });
  page.on("pageerror", (e) => errors.push(what + ": " + String(e)));
};
const shot = (page, name) =>
  page.screenshot({ path: path.join(outDir, String(++step).padStart(2, "0") + "-" + name + ".png") });
try {
  // A game on the desktop's page, its score sent.
  const page = await browser.newPage();
  await page.setViewport({ width: 960, height: 720 });
  watch(page, "desktop");
  await page.goto(new URL("/play/", server).href, { waitUntil: "load" });
  await waitReady(page);
  await page.click("#start");
  check(await waitState(page, [gs.menu], 20000), "the web version comes up under /play/");
  await page.keyboard.press("Enter");
  check(await waitState(page, [gs.playing], 15000), "a game starts");
  check(await eatSomething(page), `the Dragon eats (score ${await state(page, 6)})`);
  check(await loseEveryLife(page), "every life lost");
  check(await waitState(page, [gs.highScores], 15000), "the score enters the high-score table");
  await page.keyboard.type(NAME, { delay: 30 });
  await page.keyboard.press("Enter");
  check(await page.waitForFunction(() => tarvellePage.state(8) === 1, { timeout: 5000, polling: 50 })
    .then(() => true, () => false), "the name entered brings the question of the world table");
  await sleep(200);
  await shot(page, "share-question");
  // A click on the game's own Yes button (the pill at 200..310 x 420..452 of the 640 x 480 picture).
  const box = await pictureBox(page);
  await page.mouse.click(box.x + 255 * box.width / 640, box.y + 436 * box.height / 480);
  check(await page.waitForFunction(() => tarvellePage.state(9) === 1, { timeout: 3000, polling: 50 })
    .then(() => true, () => false), "Yes is kept as the answer");
  const sent = await page.waitForFunction(() => tarvellePage.state(10) === 0 &&
      tarvellePage.savedText("FETCH\t1\n"), { timeout: 60000, polling: 200 }).then(() => true, () => false);
  check(sent, "the replay is sent through fetch, ranked, and its world rank kept with the table");
  await sleep(300);
  await shot(page, "world-rank");
  const score = await state(page, 6);
  const difficulty = await state(page, 5);
  const table = await api(`/api/v1/scores?difficulty=${difficulty}&limit=10`);
  const row = (table.rows || []).find((r) => r.name === NAME);
  check(row && row.score === score && row.rank === 1,
        `the server's table holds the game (${JSON.stringify(row)}, score ${score})`);
  await page.keyboard.press("Escape");
  await page.close();

  // The replay from a link, on a phone upright and on its side.
  for (const [w, h, what] of [[390, 844, "upright"], [844, 390, "on its side"]]) {
    if (!row) break;
    const context = await browser.createBrowserContext();
    const phone = await context.newPage();
    watch(phone, "phone " + what);
    await phone.setViewport({ width: w, height: h, deviceScaleFactor: 3, isMobile: true,
                              hasTouch: true, isLandscape: w > h });
    await phone.goto(new URL(`/play/?replay=/api/v1/replays/${row.id}`, server).href,
                     { waitUntil: "load" });
    // A new browser context compiles the game afresh: slow on a busy machine.
    const playing = await waitState(phone, [gs.playing, gs.levelDone, gs.dying, gs.dead], 90000);
    const firstFrame = Math.round(await phone.evaluate(() => tarvellePage.firstFrameAt));
    check(playing, `phone ${what}: the link plays the replay at once (first frame ${firstFrame} ms ` +
          "after the link was opened)");
    await sleep(1500);
    await shot(phone, `replay-${w}x${h}`);
    const end = await phone.waitForFunction(() => tarvellePage.replay, { timeout: 240000, polling: 200 })
      .then((h) => h.jsonValue(), () => null);
    check(end && end.exact && end.score === score,
          `phone ${what}: the replay plays to its end exactly (${JSON.stringify(end)})`);
    await shot(phone, `replay-end-${w}x${h}`);
    check(await waitState(phone, [gs.menu], 15000), `phone ${what}: then the title menu comes up`);
    await sleep(500);
    await shot(phone, `title-after-replay-${w}x${h}`);
    await context.close();
  }
} catch (e) {
  check(false, "the walk ran to its end: " + e.stack);
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
const unexpected = errors.filter((e) => !/favicon/.test(e));
check(unexpected.length === 0, "no errors in the console" + (unexpected.length ? ": " + unexpected.join(" | ") : ""));
process.exit(failed ? 1 : 0);
