// The pages' HTML: each one a page of its own that reads the API from the browser.
extern const char* const TablePage;
extern const char* const PacksPage;

const char* const TablePage = R"html(<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Tarvelle world table</title><link rel="stylesheet" href="/style.css"></head>
<body>
<header><h1>Tarvelle</h1><h2 class="text">World table</h2></header>
<nav><a class="pill on" href="/">World table</a><a class="pill" href="/packs">Packs</a>
<a class="pill" href="/play/">Play</a></nav>
<main>
<div class="choices"><select id="levels" aria-label="Levels"><option value="">The game's levels</option></select></div>
<div class="choices" id="difficulty">
<button class="pill" data-d="1">Easy</button><button class="pill" data-d="2">Normal</button><button class="pill" data-d="3">Hard</button>
</div>
<div class="panel"><table><thead><tr><th class="num">#</th><th>Name</th><th class="num">Score</th>
<th class="num">Level</th><th class="num wide">Time</th><th class="wide">Date</th><th></th></tr></thead>
<tbody id="rows"></tbody></table></div>
<footer class="text" id="total"></footer>
</main>
<script>
const q = new URLSearchParams(location.search);
let levels = q.get("levels") || "", difficulty = Number(q.get("difficulty")) || 2;
const rows = document.getElementById("rows"), pick = document.getElementById("levels");
function cell(tr, text, cls) {
  const td = document.createElement("td");
  td.textContent = text;
  if (cls) td.className = cls;
  tr.appendChild(td);
  return td;
}
function minutes(ms) {
  const s = Math.round(ms / 1000);
  return Math.floor(s / 60) + ":" + String(s % 60).padStart(2, "0");
}
async function show() {
  for (const b of document.querySelectorAll("#difficulty .pill"))
    b.classList.toggle("on", Number(b.dataset.d) === difficulty);
  const u = new URLSearchParams({difficulty, limit: 100});
  if (levels) u.set("levels", levels);
  history.replaceState(null, "", "?" + u.toString().replace("&limit=100", ""));
  rows.textContent = "";
  let t;
  try {
    t = await (await fetch("/api/v1/scores?" + u)).json();
  } catch (e) {
    t = {rows: [], total: 0, failed: true};
  }
  for (const r of t.rows || []) {
    const tr = document.createElement("tr");
    tr.className = "r" + r.rank;
    cell(tr, r.rank, "num");
    cell(tr, r.name, "who");
    cell(tr, r.score.toLocaleString("en"), "num");
    cell(tr, r.start === r.level ? r.level : r.start + "\u2013" + r.level, "num");
    cell(tr, minutes(r.length_ms), "num wide");
    cell(tr, (r.when || "").slice(0, 10), "wide");
    const a = document.createElement("a");
    a.className = "pill small";
    a.textContent = "Watch";
    a.href = "/play/?replay=/api/v1/replays/" + encodeURIComponent(r.id);
    cell(tr, "").appendChild(a);
    rows.appendChild(tr);
  }
  if (!t.rows || !t.rows.length) {
    const tr = document.createElement("tr");
    cell(tr, t.failed ? "The table can't be read just now." : "No games yet: be the first!", "empty").colSpan = 7;
    rows.appendChild(tr);
  }
  document.getElementById("total").textContent = t.total ? t.total + " games in this table" : "";
}
for (const b of document.querySelectorAll("#difficulty .pill"))
  b.onclick = () => { difficulty = Number(b.dataset.d); show(); };
pick.onchange = () => { levels = pick.value; show(); };
fetch("/api/v1/packs").then(r => r.json()).then(p => {
  for (const k of p.packs) {
    const o = document.createElement("option");
    o.value = k.levels;
    o.textContent = k.title + " by " + k.author;
    pick.appendChild(o);
  }
  if (levels && ![...pick.options].some(o => o.value === levels)) {
    const o = document.createElement("option");
    o.value = levels;
    o.textContent = "Levels " + levels;
    pick.appendChild(o);
  }
  pick.value = levels;
}).catch(() => {});
show();
</script>
</body></html>
)html";

const char* const PacksPage = R"html(<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Tarvelle packs</title><link rel="stylesheet" href="/style.css"></head>
<body>
<header><h1>Tarvelle</h1><h2 class="text">Level packs</h2></header>
<nav><a class="pill" href="/">World table</a><a class="pill on" href="/packs">Packs</a>
<a class="pill" href="/play/">Play</a></nav>
<main id="packs"></main>
<script>
const list = document.getElementById("packs");
function add(parent, tag, text, cls) {
  const e = document.createElement(tag);
  if (text) e.textContent = text;
  if (cls) e.className = cls;
  parent.appendChild(e);
  return e;
}
fetch("/api/v1/packs").then(r => r.json()).then(p => {
  for (const k of p.packs) {
    const d = add(list, "div", "", "panel pack");
    add(d, "h3", k.title, "text");
    add(d, "p", "by " + k.author + " \u00b7 15 levels, each won on Easy, Normal and Hard", "text");
    const c = add(d, "div", "", "choices");
    add(c, "a", "Play in the browser", "pill on").href = k.play;
    const dl = add(c, "a", "Download", "pill");
    dl.href = k.file;
    dl.download = k.title.replace(/[^A-Za-z0-9 _-]/g, "").trim() + ".dat";
    add(c, "a", "World table", "pill").href = "/?levels=" + k.levels;
  }
  if (!p.packs.length) add(add(list, "div", "", "panel"), "p", "No packs yet.", "text empty");
}).catch(() => add(add(list, "div", "", "panel"), "p", "The packs can't be read just now.", "text empty"));
</script>
</body></html>
)html";
