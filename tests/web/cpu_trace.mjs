// The processor time of the page's main thread per second of the game, at the title menu and
// while playing (the Dragon hopping left and right), read from a Chromium performance trace:
// the thread time of the main thread's top-level tasks over the traced time. With --profile, where
// that time goes: the functions of the page's main thread (JavaScript, and WebAssembly by name
// where the build keeps the names: emcc --profiling-funcs) by their own time and by their time
// with what they call, from a sampling profile of the same moments instead of the trace.
//   node cpu_trace.mjs URL [SECONDS] [--profile]
import fs from "node:fs";
import { launchChromium } from "./chromium.mjs";

const args = process.argv.slice(2);
const profiling = args.includes("--profile");
const [url, secondsArg] = args.filter((a) => a !== "--profile");
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

// The page's frames a second over the time `during` takes, counted by an animation frame
// callback of its own, beside what `measure` returns.
async function withFrames(page, measure) {
  await page.evaluate(() => {
    if (window.framesCounted !== undefined) return;
    window.framesCounted = 0;
    const count = () => { window.framesCounted++; requestAnimationFrame(count); };
    requestAnimationFrame(count);
  });
  const before = await page.evaluate(() => window.framesCounted);
  const start = Date.now();
  const value = await measure();
  const frames = await page.evaluate(() => window.framesCounted) - before;
  return { value, fps: frames / ((Date.now() - start) / 1000) };
}

async function traced(page, during) {
  await page.tracing.start({ categories: ["toplevel"] });
  const start = Date.now();
  await during();
  const ms = Date.now() - start;
  return mainThreadMsPerSecond(new TextDecoder().decode(await page.tracing.stop()), ms);
}

// The functions that took the most of the main thread's time in a sampling profile, as lines of
// milliseconds a second: their own time and their time with their callees (a function counted
// once where it calls itself).
function topFunctions(profile, ms, count = 25) {
  const byId = new Map(profile.nodes.map((n) => [n.id, n]));
  const parent = new Map();
  for (const n of profile.nodes) for (const c of n.children || []) parent.set(c, n.id);
  const name = (n) => {
    const f = n.callFrame;
    const where = f.url ? " " + f.url.replace(/^.*\//, "") : "";
    return (f.functionName || "(anonymous)") + where;
  };
  const self = new Map(), total = new Map();
  profile.samples.forEach((id, i) => {
    const us = profile.timeDeltas[i + 1] ?? 0;
    const leaf = name(byId.get(id));
    self.set(leaf, (self.get(leaf) || 0) + us);
    const seen = new Set();
    for (let n = id; n !== undefined; n = parent.get(n)) {
      const f = name(byId.get(n));
      if (seen.has(f)) continue;
      seen.add(f);
      total.set(f, (total.get(f) || 0) + us);
    }
  });
  const lines = (map) => [...map].sort((a, b) => b[1] - a[1]).slice(0, count)
    .map(([f, us]) => `  ${(us / 1000 / (ms / 1000)).toFixed(2).padStart(7)}  ${f}`);
  return ["  by own time (ms a second):", ...lines(self),
          "  with what they call (ms a second):", ...lines(total)].join("\n");
}

async function profiled(page, during) {
  const cdp = await page.createCDPSession();
  await cdp.send("Profiler.enable");
  await cdp.send("Profiler.setSamplingInterval", { interval: 250 });
  await cdp.send("Profiler.start");
  const start = Date.now();
  await during();
  const ms = Date.now() - start;
  const { profile } = await cdp.send("Profiler.stop");
  await cdp.detach();
  return topFunctions(profile, ms);
}

try {
  const page = await browser.newPage();
  await page.setViewport({ width: 960, height: 720 });
  await page.goto(url, { waitUntil: "load" });
  await page.waitForFunction(() => !document.getElementById("start").disabled, { timeout: 60000 });
  await page.click("#start");
  await page.waitForFunction(() => tarvellePage.state(0) === 1, { timeout: 30000 });
  await sleep(2000);
  const measure = profiling ? profiled : traced;
  const title = await withFrames(page, () => measure(page, () => sleep(seconds * 1000)));
  await page.keyboard.press("Enter");
  await page.waitForFunction(() => tarvellePage.state(0) === 2, { timeout: 15000 });
  await sleep(1000);
  const play = await withFrames(page, () => measure(page, async () => {
    for (let i = 0; i < seconds * 2; i++) {
      await page.keyboard.press(i % 2 ? "ArrowLeft" : "ArrowRight");
      await sleep(500);
    }
  }));
  if (profiling) {
    console.log(`title menu:\n${title.value}\nplaying:\n${play.value}`);
  } else {
    const line = (m) => `${m.value.toFixed(1)} ms of main-thread processor time a second ` +
                        `(${m.fps.toFixed(0)} frames a second)`;
    console.log(`title menu: ${line(title)}`);
    console.log(`playing:    ${line(play)}`);
  }
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
