// The demo tool's source text: any text either fails with a message naming the source and the
// line, or gives demos that the tool writes back as a text reading back to the same demos and
// notes; compiled, they make a file that reads back to them or is refused with a message.
#include "tools/demos/demo_text.h"

#include "fuzz/fuzz_target.h"
#include "game/in_out_error.h"

namespace {

bool SameSources(const std::vector<TDemoSource>& a, const std::vector<TDemoSource>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const TDemo &x = a[i].Demo, &y = b[i].Demo;
    if (x.Level != y.Level || x.Steps.size() != y.Steps.size() || a[i].Notes != b[i].Notes)
      return false;
    for (size_t s = 0; s < x.Steps.size(); ++s)
      if (x.Steps[s].Time != y.Steps[s].Time || x.Steps[s].KeyCode != y.Steps[s].KeyCode)
        return false;
  }
  return true;
}

}  // namespace

TARVELLE_FUZZ_TARGET(demo_text) {
  std::vector<TDemoSource> sources;
  try {
    sources = ParseDemoText(std::string(fuzz::Text(data, size)), "fuzz.txt");
  } catch (const EDemoTextError& e) {
    fuzz::Check(std::string_view(e.what()).starts_with("fuzz.txt:"), "message without the name");
    return;
  }
  const std::string text = FormatDemoText(sources);
  std::vector<TDemoSource> again;
  try {
    again = ParseDemoText(text, "again.txt");
  } catch (const EDemoTextError& e) {
    fuzz::Fail(std::string("the tool's own text does not read back: ") + e.what() + "\n" + text);
  }
  fuzz::Check(SameSources(again, sources), "the tool's text gives other demos:\n" + text);

  std::vector<TDemo> demos;
  for (const TDemoSource& s : sources) demos.push_back(s.Demo);
  try {
    const std::vector<TDemo> read = ParseDemoFile(EncodeDemoFile(demos), "DemoFree.dat", 15);
    fuzz::Check(read.size() == demos.size(), "the file holds another count of demos");
  } catch (const EInOutError& e) {
    fuzz::Check(std::string_view(e.what()).starts_with("DemoFree.dat"), "error without the file");
  }
}
