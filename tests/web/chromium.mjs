// Debian's Chromium as the browser tests start it: headless, a profile of its own in a temporary
// folder (the caller removes it), nothing fetched behind the tests' backs. Sound waits for a
// gesture unless soundWaitsForGesture is false.
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";

export async function launchChromium({ soundWaitsForGesture = true } = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tarvelle-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           "--enable-unsafe-swiftshader",
           ...(soundWaitsForGesture ? ["--autoplay-policy=user-gesture-required"] : [])],
  });
  return { browser, profile };
}
