// The processor time of the page's main thread per second of the game, at the title menu and
// while playing (the Dragon hopping left and right), read from a Chromium performance trace:
// the thread time of the main thread's top-level tasks over the traced time.
//   node cpu_trace.mjs URL [SECONDS]
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";

const [url, secondsArg] = process.argv.slice(2);
const seconds = Number(secondsArg || 10);
const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tarvelle-chromium-"));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  userDataDir: profile,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--enable-unsafe-swiftshader", "--autoplay-policy=user-gesture-required"],
});
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// Milliseconds of main-thread processor time per second, from one trace.
function mainThreadMsPerSecond(trace) {
  const events = JSON.parse(trace).traceEvents;
  const main = new Set(events
    .filter((e) => e.ph === "M" && e.name === "thread_name" && e.args.name === "CrRendererMain")
    .map((e) => e.pid + ":" + e.tid));
  let cpuUs = 0, first = Infinity, last = -Infinity;
  for (const e of events) {
    if (!main.has(e.pid + ":" + e.tid) || e.ph !== "X") continue;
    first = Math.min(first, e.ts);
    last = Math.max(last, e.ts + (e.dur || 0));
    if (e.name === "ThreadControllerImpl::RunTask" || e.name === "RunTask")
      cpuUs += e.tdur ?? e.dur ?? 0;
  }
  return cpuUs / 1000 / ((last - first) / 1e6);
}

async function traced(page, during) {
  await page.tracing.start({ categories: ["toplevel", "disabled-by-default-devtools.timeline"] });
  await during();
  return mainThreadMsPerSecond((await page.tracing.stop()).toString());
}

try {
  const page = await browser.newPage();
  await page.setViewport({ width: 960, height: 720 });
  await page.goto(url, { waitUntil: "load" });
  await page.waitForFunction(() => !document.getElementById("start").disabled, { timeout: 60000 });
  await page.click("#start");
  await page.waitForFunction(() => tarvellePage.state(0) === 1, { timeout: 30000 });
  await sleep(2000);
  const title = await traced(page, () => sleep(seconds * 1000));
  await page.keyboard.press("Enter");
  await page.waitForFunction(() => tarvellePage.state(0) === 2, { timeout: 15000 });
  await sleep(1000);
  const play = await traced(page, async () => {
    for (let i = 0; i < seconds * 2; i++) {
      await page.keyboard.press(i % 2 ? "ArrowLeft" : "ArrowRight");
      await sleep(500);
    }
  });
  console.log(`title menu: ${title.toFixed(1)} ms of main-thread processor time a second`);
  console.log(`playing:    ${play.toFixed(1)} ms of main-thread processor time a second`);
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
