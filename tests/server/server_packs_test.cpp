// Packs: read and checked by the game's own reader, every level proved by the player bot at
// each difficulty before the pack is listed, a hopeless level named in the refusal; a listed
// pack has a world table of its own.
#include <gtest/gtest.h>

#include "server_fixture.h"
#include "support/level_files.h"

namespace {

using server_test::TServer;

std::string PackBytes(const std::vector<TLevelRecord>& levels) {
  const std::vector<uint8_t> b = level_files::Bytes(levels);
  return {b.begin(), b.end()};
}

// The pack's answer once its proof has ended.
nlohmann::json Proved(TServer& server, const std::string& id) {
  nlohmann::json j;
  for (int i = 0; i < 1200; ++i) {
    j = server.Get("/api/v1/packs/" + id).second;
    if (j["status"] != "proving") break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return j;
}

TEST(ServerPacks, ListsAWinnablePackWithATableOfItsOwnAndRefusesAHopelessOne) {
  TServer server;
  const std::string pond = PackBytes(std::vector<TLevelRecord>(15, level_files::Islands(4, 3)));
  // Level 7 has a column of water between the Dragon and the diamond.
  std::vector<TLevelRecord> levels(15, level_files::Islands(4, 3));
  for (int y = 1; y <= 3; ++y) levels[6].Cell(2, y).Kind = pkWater;
  const std::string hopeless = PackBytes(levels);

  const auto [s1, good] = server.Post("/api/v1/packs?title=Still%20Pond&author=Ann", pond);
  ASSERT_EQ(s1, 202) << good.dump();
  EXPECT_EQ(good["status"], "proving");
  const auto [s2, bad] = server.Post("/api/v1/packs?title=Moat&author=Bob", hopeless);
  ASSERT_EQ(s2, 202) << bad.dump();

  const nlohmann::json listed = Proved(server, good["id"]);
  EXPECT_EQ(listed["status"], "listed") << listed.dump();
  EXPECT_EQ(listed["proved"], 15);
  const nlohmann::json refused = Proved(server, bad["id"]);
  EXPECT_EQ(refused["status"], "refused") << refused.dump();
  EXPECT_TRUE(refused["reason"].get<std::string>().starts_with("Level 7 can't be won"))
      << refused["reason"];

  // Only the listed pack is offered, and it downloads whole.
  const auto list = server.Get("/api/v1/packs").second["packs"];
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]["title"], "Still Pond");
  EXPECT_EQ(list[0]["play"], "/play/?levels=" + list[0]["file"].get<std::string>());
  EXPECT_EQ(server.GetBytes(list[0]["file"]), pond);
  EXPECT_EQ(server.Client().Get(("/api/v1/packs/" + bad["id"].get<std::string>() + "/file").c_str())
                ->status,
            404);

  // A game on the pack goes into the pack's own table.
  TTempFolder dir;
  ASSERT_TRUE(dir.Write("pond.dat", pond));
  SetLevelPack(dir / "pond.dat");
  const std::string game = server_test::RecordGame(9, "frames 200\ntap Right\nframes 200\n");
  SetLevelPack("");
  const auto [s3, accepted] = server.Submit("Ann", game);
  ASSERT_EQ(s3, 200) << accepted.dump();
  EXPECT_EQ(accepted["levels"], list[0]["levels"]);
  EXPECT_EQ(server.Get("/api/v1/scores?levels=" + list[0]["levels"].get<std::string>())
                .second["total"],
            1);
  EXPECT_EQ(server.Get("/api/v1/scores").second["total"], 0);

  // Refused at once: the same pack again, a file the game can't play, a title with a control
  // character.
  const struct {
    std::string Query, Body;
    int Status;
    const char* Code;
  } now[] = {
      {"title=Again&author=Ann", pond, 409, "duplicate"},
      {"title=Short&author=Ann", PackBytes({level_files::Islands(), level_files::Islands()}), 422,
       "damaged"},
      {"title=Bell%07&author=Ann", hopeless, 422, "bad-name"},
      {"title=Nobody", hopeless, 422, "bad-name"},
  };
  for (const auto& c : now) {
    const auto [s, j] = server.Post("/api/v1/packs?" + c.Query, c.Body);
    EXPECT_EQ(s, c.Status) << c.Query << ": " << j.dump();
    EXPECT_EQ(j["code"], c.Code) << c.Query;
  }
}

}  // namespace
