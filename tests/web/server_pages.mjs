// The world table's pages in Debian's Chromium, on a phone (390x844, 3 device pixels per CSS
// pixel) and on a desktop: the table's rows, Watch opening the web version with the replay's
// link, and the pack list with its two buttons. Screenshots go to OUT.
// usage: node server_pages.mjs URL OUT ROWS
import fs from "node:fs";
import path from "node:path";
import { launchChromium } from "./chromium.mjs";

const [base, outDir, rowsWanted] = process.argv.slice(2);
let failed = 0;
function check(ok, what) {
  console.log((ok ? "ok   " : "FAIL ") + what);
  if (!ok) failed++;
}

const { browser, profile } = await launchChromium();
const errors = [];
try {
  for (const [name, viewport] of [
    ["phone", { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true }],
    ["desktop", { width: 1280, height: 800, deviceScaleFactor: 1 }],
  ]) {
    const page = await browser.newPage();
    page.on("pageerror", (e) => errors.push(name + ": " + e.message));
    await page.setViewport(viewport);
    await page.goto(base + "/", { waitUntil: "networkidle0" });
    await page.waitForSelector("#rows tr td.who", { timeout: 10000 });
    const rows = await page.$$eval("#rows tr", (trs) => trs.map((tr) => ({
      rank: tr.cells[0].textContent, name: tr.cells[1].textContent,
      watch: tr.querySelector("a") ? tr.querySelector("a").getAttribute("href") : "",
    })));
    check(rows.length === Number(rowsWanted), `${name}: the table shows ${rows.length} rows of ${rowsWanted}`);
    check(rows.every((r, i) => r.rank === String(i + 1) && r.name.length > 0), `${name}: ranked rows with names`);
    check(rows.every((r) => /^\/play\/\?replay=\/api\/v1\/replays\/[0-9a-f]+$/.test(r.watch)),
          `${name}: every row has Watch with its replay's link`);
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth > window.innerWidth);
    check(!overflow, `${name}: nothing wider than the screen`);
    await page.screenshot({ path: path.join(outDir, `table-${name}.png`) });

    // The other difficulties are one tap away; an empty table says so.
    await page.click('#difficulty [data-d="3"]');
    await page.waitForSelector("#rows td.empty", { timeout: 5000 });
    check(await page.$$eval("#rows tr", (trs) => trs.length) === 1, `${name}: Hard shows its own (empty) table`);
    await page.click('#difficulty [data-d="2"]');
    await page.waitForSelector("#rows tr td.who", { timeout: 5000 });

    // Watch opens the web version with the replay's link, and the replay file is there.
    const first = rows[0].watch;
    await Promise.all([page.waitForNavigation({ waitUntil: "domcontentloaded" }), page.click("#rows tr a")]);
    const url = new URL(page.url());
    check(url.pathname === "/play/" && url.search === first.slice("/play/".length),
          `${name}: Watch opened ${url.pathname}${url.search}`);
    check(await page.$("canvas") !== null, `${name}: the web version's page is there`);
    const replay = await page.evaluate(async (u) => {
      const r = await fetch(u);
      return { status: r.status, size: (await r.arrayBuffer()).byteLength };
    }, url.searchParams.get("replay"));
    check(replay.status === 200 && replay.size > 0, `${name}: the replay downloads (${replay.size} bytes)`);
    await page.screenshot({ path: path.join(outDir, `watch-${name}.png`) });

    await page.goto(base + "/packs", { waitUntil: "networkidle0" });
    await page.waitForSelector(".pack", { timeout: 10000 });
    const packs = await page.$$eval(".pack", (ps) => ps.map((p) => [...p.querySelectorAll("a")].map((a) => [a.textContent, a.getAttribute("href")])));
    check(packs.length === 1, `${name}: one pack listed`);
    const buttons = Object.fromEntries(packs[0] || []);
    check(/^\/play\/\?levels=\/api\/v1\/packs\/[0-9a-f]+\/file$/.test(buttons["Play in the browser"] || ""),
          `${name}: "Play in the browser" links the pack's file`);
    check(/^\/api\/v1\/packs\/[0-9a-f]+\/file$/.test(buttons["Download"] || ""), `${name}: "Download" links the file`);
    await page.screenshot({ path: path.join(outDir, `packs-${name}.png`) });
    await page.close();
  }
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
check(errors.length === 0, "no script errors" + (errors.length ? ": " + errors.join("; ") : ""));
process.exit(failed ? 1 : 0);
