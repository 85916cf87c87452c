// The processor time of the page's main thread per second of the game, at the title menu and
// while playing (the Dragon hopping left and right), read from a Chromium performance trace:
// the thread time of the main thread's top-level tasks over the traced time.
//   node cpu_trace.mjs URL [SECONDS]
import fs from "node:fs";
import { launchChromium } from "./chromium.mjs";

const [url, secondsArg] = process.argv.slice(2);
const seconds = Number(secondsArg || 10);
const { browser, profile } = await launchChromium();
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// Milliseconds of processor time per second of the busiest renderer main thread (the game's
// page), from one trace: the thread time of its top-level tasks over the traced time.
function mainThreadMsPerSecond(trace, ms) {
  const events = JSON.parse(trace).traceEvents;
  const main = new Set(events
    .filter((e) => e.ph === "M" && e.name === "thread_name" && e.args.name === "CrRendererMain")
    .map((e) => e.pid + ":" + e.tid));
  const cpuUs = new Map();
  for (const e of events) {
    const thread = e.pid + ":" + e.tid;
    if (e.ph !== "X" || e.name !== "ThreadControllerImpl::RunTask" || !main.has(thread)) continue;
    cpuUs.set(thread, (cpuUs.get(thread) || 0) + (e.tdur ?? e.dur ?? 0));
  }
  return Math.max(0, ...cpuUs.values()) / 1000 / (ms / 1000);
}

async function traced(page, during) {
  await page.tracing.start({ categories: ["toplevel"] });
  const start = Date.now();
  await during();
  const ms = Date.now() - start;
  return mainThreadMsPerSecond(new TextDecoder().decode(await page.tracing.stop()), ms);
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
