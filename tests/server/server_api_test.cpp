// The world table's API against SQLite with real games, recorded by the game, and forged ones:
// each forgery refused with its reason, and the table untouched by all of them.
#include <gtest/gtest.h>

#include "server/intake.h"
#include "server_fixture.h"

namespace {

using server_test::RecordGame;
using server_test::TServer;

// Hops that eat on level 1 (the seed moves the food, so each game scores its own).
const char* const Hops =
    "frames 300\ntap Right\nframes 200\ntap Up\nframes 200\ntap Right\nframes 300\ntap Up\n"
    "frames 300\n";

// The replay with one change made to it, written again with a good checksum: a forgery the
// file's own checks can't see.
std::string Forge(const std::string& bytes, void (*change)(TReplay&)) {
  TReplay r = DecodeReplay(bytes, "game.tvr");
  change(r);
  return EncodeReplay(r);
}

TEST(ServerApi, AcceptsRealGamesRanksThemAndRefusesEveryForgery) {
  TApiOptions api;
  api.PerMinute = 1000;
  TServer server(api);
  const std::string a = RecordGame(7, Hops), b = RecordGame(11, Hops),
                    c = RecordGame(3, "frames 400\n");
  const std::vector<std::string> games = {a, b, c};
  std::vector<std::string> ids;
  for (const std::string& game : games) {
    const auto [status, j] = server.Submit("Zo%C3%AB", game);
    ASSERT_EQ(status, 200) << j.dump();
    EXPECT_EQ(j["status"], "accepted");
    EXPECT_EQ(j["levels"], server.Shipped());
    EXPECT_EQ(j["difficulty"], 2);
    EXPECT_EQ(j["score"], DecodeReplay(game, "g").Final.Score);  // from the replay itself
    ids.push_back(j["id"]);
  }
  const auto [tableStatus, table] = server.Get("/api/v1/scores?difficulty=2");
  ASSERT_EQ(tableStatus, 200);
  ASSERT_EQ(table["total"], 3);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(table["rows"][i]["rank"], i + 1);
    EXPECT_EQ(table["rows"][i]["name"], "Zoë");
    if (i > 0) {
      EXPECT_GE(table["rows"][i - 1]["score"], table["rows"][i]["score"]);
    }
  }
  // Each game's own answer holds its rank in the table as it is now; the replay comes back.
  for (const auto& row : table["rows"]) {
    const auto [s, j] = server.Get("/api/v1/scores/" + row["id"].get<std::string>());
    EXPECT_EQ(s, 200);
    EXPECT_EQ(j["rank"], row["rank"]);
  }
  EXPECT_EQ(server.GetBytes("/api/v1/replays/" + ids[0]), a);
  // Another difficulty, another table; "around" a rank.
  EXPECT_EQ(server.Get("/api/v1/scores?difficulty=3").second["total"], 0);
  EXPECT_EQ(server.Get("/api/v1/scores?difficulty=2&limit=1&around=3").second["rows"][0]["rank"],
            3);

  std::string random(5000, '\0');
  for (size_t i = 0; i < random.size(); ++i) random[i] = static_cast<char>(i * 7919 % 251);
  const struct {
    const char* What;
    std::string Name, Bytes;
    int Status;
    const char* Code;
  } forged[] = {
      {"score edited", "Eve", Forge(a, [](TReplay& r) { r.Final.Score += 1000; }), 422, "differs"},
      {"one frame's key changed", "Eve",
       Forge(a,
             [](TReplay& r) {
               for (TTapeEntry& e : r.Entries)
                 if (e.Call == tcKeyDown) {
                   e.A = e.A == 39 ? 37 : 39;  // right for left, or left for right
                   break;
                 }
             }),
       422, "differs"},
      {"another level set", "Eve", Forge(a, [](TReplay& r) { r.Levels ^= 1; }), 422,
       "unknown-levels"},
      {"rules of another version", "Eve", Forge(a, [](TReplay& r) { r.Rules = 99; }), 422,
       "rules"},
      {"truncated", "Eve", a.substr(0, a.size() / 2), 422, "damaged"},
      {"10 MB", "Eve", std::string(10 << 20, 'x'), 413, "too-large"},
      {"random bytes", "Eve", random, 422, "damaged"},
      {"a name with a control character", "Ev%07e", b + "", 422, "bad-name"},
      {"a name too long", "ThirteenChars", b, 422, "bad-name"},
      {"a name the code page lacks", "%E5%90%8D", b, 422, "bad-name"},
      {"the same game twice", "Mallory", a, 409, "duplicate"},
  };
  const std::string before = server.Client().Get("/api/v1/scores?difficulty=2")->body;
  for (const auto& f : forged) {
    const auto [status, j] = server.Submit(f.Name, f.Bytes);
    EXPECT_EQ(status, f.Status) << f.What << ": " << j.dump();
    EXPECT_EQ(j["status"], "refused") << f.What;
    EXPECT_EQ(j["code"], f.Code) << f.What;
    EXPECT_FALSE(j["reason"].get<std::string>().empty()) << f.What;
  }
  EXPECT_EQ(server.Client().Get("/api/v1/scores?difficulty=2")->body, before);
}

TEST(ServerApi, AnswersPendingAndBusyWithoutLosingAGame) {
  TApiOptions api;
  api.AnswerWithinMs = 0;
  api.MaxWaiting = 1;
  api.PerMinute = 2;
  TServer server(api, /*workers=*/false);
  const auto [s1, pending] = server.Post("/api/v1/scores?name=Ann", RecordGame(5, Hops));
  ASSERT_EQ(s1, 202);
  EXPECT_EQ(pending["status"], "pending");
  const std::string id = pending["id"];
  EXPECT_EQ(server.Get("/api/v1/scores/" + id).first, 202);
  // The queue is full: the next one waits, told when to come back.
  auto full = server.Client().Post("/api/v1/scores?name=Bob", RecordGame(6, Hops),
                                   "application/octet-stream");
  ASSERT_TRUE(full);
  EXPECT_EQ(full->status, 503);
  EXPECT_TRUE(full->has_header("Retry-After"));
  EXPECT_EQ(nlohmann::json::parse(full->body)["status"], "busy");
  EXPECT_TRUE(server.Queue().VerifyOne());
  const auto [s2, done] = server.Get("/api/v1/scores/" + id);
  EXPECT_EQ(s2, 200);
  EXPECT_EQ(done["rank"], 1);
  // A moderator hides it: out of the table, its replay no longer served.
  EXPECT_TRUE(server.Store().Hide(id));
  EXPECT_FALSE(server.Store().Hide("0123456789abcdef"));
  EXPECT_EQ(server.Get("/api/v1/scores?difficulty=2").second["total"], 0);
  EXPECT_EQ(server.Client().Get(("/api/v1/replays/" + id).c_str())->status, 404);
  // Two submissions a minute from one address, whatever became of them.
  auto limited = server.Client().Post("/api/v1/scores?name=Bob", "x", "application/octet-stream");
  ASSERT_TRUE(limited);
  EXPECT_EQ(limited->status, 429);
  EXPECT_TRUE(limited->has_header("Retry-After"));
  // Every answer may be read from another origin; a preflight is answered.
  EXPECT_EQ(limited->get_header_value("Access-Control-Allow-Origin"), "*");
  auto preflight = server.Client().Options("/api/v1/scores");
  ASSERT_TRUE(preflight);
  EXPECT_EQ(preflight->status, 204);
  EXPECT_NE(preflight->get_header_value("Access-Control-Allow-Methods").find("POST"),
            std::string::npos);
}

TEST(ServerApi, ReadsTableQuestionsStrictly) {
  TServer server;
  for (const char* bad : {"difficulty=0", "difficulty=x", "limit=101", "limit=-1", "around=0",
                          "levels=12345", "levels=zzzzzzzz", "difficulty=2%00"}) {
    EXPECT_EQ(server.Get(std::string("/api/v1/scores?") + bad).first, 400) << bad;
  }
  EXPECT_EQ(server.Get("/api/v1/scores?levels=0A0B0C0D").second["levels"], "0a0b0c0d");
  EXPECT_EQ(server.Get("/api/v1/scores/0123456789abcdef").first, 404);
  EXPECT_EQ(server.Client().Get("/api/v1/replays/0123456789abcdef")->status, 404);
}

}  // namespace
