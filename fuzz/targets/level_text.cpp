// The level tool's text form: any text either fails with a message naming the source, or gives
// a record that the tool writes back as a text reading back to the same record.
#include "tools/levels/level_text.h"

#include "fuzz/fuzz_target.h"
#include "game/level_check.h"

TARVELLE_FUZZ_TARGET(level_text) {
  TLevelSource source;
  try {
    source = ParseLevelSource(fuzz::Text(data, size), "fuzz.txt");
  } catch (const ELevelSyntax& e) {
    fuzz::Check(std::string_view(e.what()).starts_with("fuzz.txt"), "message without the name");
    return;
  }
  CheckLevelRecord(source.Record);
  std::array<uint8_t, LevelRecordSize> bytes{};
  EncodeLevelRecord(source.Record, bytes);
  fuzz::Check(DecodeLevelRecord(bytes) == source.Record, "record does not survive its bytes");

  const std::string text = FormatLevelSource(source.Record, source.Note);
  TLevelSource again;
  try {
    again = ParseLevelSource(text, "again.txt");
  } catch (const ELevelSyntax& e) {
    fuzz::Fail(std::string("the tool's own text does not read back: ") + e.what() + "\n" + text);
  }
  fuzz::Check(again.Record == source.Record, "the tool's text gives another record:\n" + text);
  fuzz::Check(again.Note == source.Note, "the tool's text gives another note:\n" + text);
}
