// The pages' look, after the game's art guide: the sunny water, the interface blues of the
// panels, the pill buttons and the gold lettering with its navy outline.
extern const char* const PageStyle;
const char* const PageStyle = R"css(
:root { --navy: #1A2433; --cream: #FFF3D6; }
* { box-sizing: border-box; }
html { background: #46B1DD; }
body {
  margin: 0; min-height: 100vh; color: var(--cream);
  font: 16px/1.4 "Liberation Sans", Arial, sans-serif;
  background:
    radial-gradient(ellipse at 18% 12%, rgba(159, 221, 245, 0.55), transparent 40%),
    radial-gradient(ellipse at 80% 70%, rgba(43, 143, 199, 0.35), transparent 45%),
    #46B1DD;
}
.text { text-shadow: -1px 0 var(--navy), 1px 0 var(--navy), 0 -1px var(--navy), 0 1px var(--navy); }
header { text-align: center; padding: 18px 12px 6px; }
h1 {
  margin: 0; font: bold 44px/1.1 Comfortaa, "Liberation Sans", sans-serif; letter-spacing: 1px;
  color: #FFD23F; background: linear-gradient(#FFD23F, #FF9F1C); -webkit-background-clip: text;
  background-clip: text; -webkit-text-fill-color: transparent;
  -webkit-text-stroke: 2px var(--navy); paint-order: stroke fill;
  filter: drop-shadow(2px 2px 0 #0F1B2A);
}
h2 { margin: 4px 0 0; font: bold 20px Comfortaa, "Liberation Sans", sans-serif; }
nav, .choices { display: flex; flex-wrap: wrap; gap: 8px; justify-content: center; margin: 12px 0; }
.pill {
  display: inline-block; min-width: 100px; padding: 7px 16px; border-radius: 999px;
  border: 2px solid var(--navy); color: #fff; text-decoration: none; text-align: center;
  font: bold 15px "Liberation Sans", Arial, sans-serif; cursor: pointer;
  background: linear-gradient(#3E8EDB, #1F5FA8);
  box-shadow: inset 0 2px 0 rgba(255, 255, 255, 0.45);
  text-shadow: 1px 1px 0 var(--navy);
}
.pill:hover, .pill:focus-visible { filter: brightness(1.2); outline: none; }
.pill:active { background: linear-gradient(#1F5FA8, #3E8EDB); }
.pill.on {
  background: linear-gradient(#6CD05A, #2F8A36);
  box-shadow: inset 0 0 0 2px #FFF3B0, inset 0 3px 0 rgba(255, 255, 255, 0.45);
}
.pill.small { min-width: 0; padding: 4px 12px; font-size: 14px; }
main { max-width: 760px; margin: 0 auto; padding: 0 10px 24px; }
.panel {
  background: #04BEF4; border: 2px solid #0472BC; outline: 1px solid #0472BC;
  outline-offset: -5px; padding: 12px; border-radius: 4px; margin: 10px 0;
}
select {
  font: 15px "Liberation Sans", Arial, sans-serif; padding: 6px 10px; border-radius: 999px;
  border: 2px solid var(--navy); background: #FFF3D6; color: var(--navy); max-width: 100%;
}
table { width: 100%; border-collapse: collapse; }
th { text-align: left; font-size: 13px; padding: 4px 6px; color: #fff; }
td { padding: 6px; border-top: 1px solid #0472BC; text-shadow: 1px 1px 0 var(--navy); color: #fff; }
td.num, th.num { text-align: right; }
tr.r1 td.who { color: #D8343A; text-shadow: 1px 1px 0 var(--navy); font-weight: bold; }
tr.r2 td.who, tr.r3 td.who { color: #FFD23F; font-weight: bold; }
tr.r4 td.who, tr.r5 td.who, tr.r6 td.who { color: #1F5FA8; text-shadow: 1px 1px 0 #FFF3D6; }
.empty { text-align: center; padding: 18px; }
.pack h3 { margin: 0; font: bold 20px Comfortaa, "Liberation Sans", sans-serif; }
.pack p { margin: 4px 0 10px; }
.pack .choices { justify-content: flex-start; margin: 0; }
footer { text-align: center; font-size: 13px; padding: 10px; }
@media (max-width: 520px) {
  h1 { font-size: 34px; }
  .wide { display: none; }
  td, th { padding: 6px 3px; }
  .pill { min-width: 84px; padding: 7px 12px; }
}
)css";
