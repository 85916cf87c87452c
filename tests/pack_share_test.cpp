// The editor's offer to share a pack after Save As: the keys it takes and those it leaves to
// the editor, the request's query, and the line told for each kind of answer.
#include "tools/editor/pack_share.h"

#include <gtest/gtest.h>

namespace {

TEST(PackShare, TheOfferTakesTheAuthorsNameAndLeavesOtherKeysToTheEditor) {
  TPackShare share;
  EXPECT_FALSE(share.Key('A', 0));  // no offer yet
  share.Offer("/packs/Lily Road.dat");
  // A, N, N, Space, 2, Backspace (with Shift: capitals).
  for (const int32_t key : {65, 78, 78, 32, 50, 8}) EXPECT_TRUE(share.Key(key, 1));
  bool bad = true;
  EXPECT_NE(share.Line(bad).find("Share Lily Road in the world table? Your name as its author: ANN _"),
            std::string::npos);
  EXPECT_FALSE(bad);
  EXPECT_FALSE(share.Key(120, 0));  // F9 proves: the offer is left
  EXPECT_FALSE(share.Offered());
  share.Offer("/packs/pond.dat");
  EXPECT_FALSE(share.Key('S', 4));  // Ctrl+S is the editor's
  EXPECT_FALSE(share.Offered());
  share.Offer("/packs/pond.dat");
  EXPECT_TRUE(share.Key(27, 0));
  EXPECT_EQ(share.Line(bad), "");
}

TEST(PackShare, TheQueryIsEncodedAndEachAnswerTold) {
  EXPECT_EQ(TPackShare::Query("Lily & Road", "Zo\xC3\xAB"), "title=Lily%20%26%20Road&author=Zo%C3%AB");
  struct TCase {
    int32_t Status;
    const char* Body;
    const char* Want;
    bool Bad;
  };
  const TCase cases[] = {
      {202, R"({"id":"ab12","status":"proving"})",
       "pond sent to the world table (pack ab12): it is listed once every level is proved winnable",
       false},
      {202, R"({"id":17,"status":"proving"})", "pond sent to the world table (pack 17)", false},
      {422, R"({"status":"refused","reason":"Level 3 can't be built."})",
       "pond was not shared: Level 3 can't be built.", true},
      {422, R"({"reason":5})", "pond was not shared: the world table answered 422", true},
      {500, "<html>", "pond was not shared: the world table answered 500", true},
      {0, "", "pond was not shared: the world table can't be reached", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Body);
    bool bad = !c.Bad;
    EXPECT_EQ(TPackShare::Outcome("pond", c.Status, c.Body, bad).find(c.Want), 0u);
    EXPECT_EQ(bad, c.Bad);
  }
}

}  // namespace
