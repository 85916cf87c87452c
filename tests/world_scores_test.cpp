// The world table's queue: a score waits in the data folder until the server has answered
// (across starts), leaves it with its world rank kept, is dropped on a refusal that would stand,
// and waits for a later start when the network or the server can't take it now. The HTTP client
// itself against a real local server on a socket.
#include "game/world_scores.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "game/replay.h"
#include "platform/http_client.h"
#include "platform/paths.h"

namespace {

namespace fs = std::filesystem;

// A sender that keeps each request and its callback until the test answers it.
struct TFakeServer {
  struct TCall {
    http::TRequest Request;
    http::TDone Done;
  };
  std::vector<TCall> Calls;

  world::TSender Sender() {
    return [this](http::TRequest r, http::TDone d) { Calls.push_back({std::move(r), std::move(d)}); };
  }
  void Answer(int32_t status, const std::string& body, int32_t retryAfter = 0) {
    ASSERT_FALSE(Calls.empty());
    http::TAnswer a;
    a.Status = status;
    a.Body = body;
    a.RetryAfter = retryAfter;
    if (status == 0) a.Error = "Couldn't connect to server";
    Calls.back().Done(a);
  }
};

class WorldQueue : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = fs::temp_directory_path() /
            ("tarvelle-world-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(home_);
    fs::create_directories(home_);
    paths::OverrideHome(home_.string() + "/");
    world::SetServer("http://127.0.0.1:9/api/v1");
    world::SetSender(server_.Sender());
    world::ForgetWorldScores();
    replay_ = (home_ / "game-s1200-hiscore.tvr").string();
    TReplay r;
    r.Final.Score = 1200;
    r.Final.LevelNo = 1;
    r.Final.Lives = 0;
    std::ofstream(replay_, std::ios::binary) << EncodeReplay(r);
  }
  void TearDown() override {
    world::ForgetWorldScores();
    world::SetSender(nullptr);
    world::SetServer("");
    paths::OverrideHome("");
    fs::remove_all(home_);
  }
  // The program starts again: only what the data folder keeps is known.
  void Restart() { world::ForgetWorldScores(); }
  bool Queue() { return world::QueueScore(replay_, "Hiscore.dat", 1200, "J\xF6rg"); }
  size_t QueuedFiles() const {
    const fs::path q = fs::path(world::WorldFolder()) / "queue";
    return fs::exists(q) ? std::distance(fs::directory_iterator(q), fs::directory_iterator()) : 0;
  }

  fs::path home_;
  std::string replay_;
  TFakeServer server_;
};

TEST_F(WorldQueue, AnAcceptedScoreLeavesTheQueueAndItsRankIsKeptAcrossAStart) {
  ASSERT_TRUE(Queue());
  world::PumpWorldScores();
  ASSERT_EQ(server_.Calls.size(), 1u);
  const http::TRequest& sent = server_.Calls[0].Request;
  EXPECT_EQ(sent.Method, "POST");
  // The name goes as UTF-8, percent-encoded; the body is the replay file as it is.
  EXPECT_EQ(sent.Url, "http://127.0.0.1:9/api/v1/scores?name=J%C3%B6rg");
  EXPECT_EQ(sent.ContentType, "application/octet-stream");
  EXPECT_EQ(DecodeReplay(sent.Body, "sent").Final.Score, 1200);
  world::PumpWorldScores();  // one at a time: nothing more while it is under way
  EXPECT_EQ(server_.Calls.size(), 1u);

  server_.Answer(200, R"({"status":"accepted","id":"a1","rank":7,"score":1200,"levels":"0a1b2c3d",
                          "difficulty":2,"level":3})");
  EXPECT_EQ(world::QueuedScores(), 0u);
  EXPECT_EQ(QueuedFiles(), 0u);
  EXPECT_EQ(world::WorldRank("Hiscore.dat", 1200, "J\xF6rg"), 7);
  Restart();
  EXPECT_EQ(world::WorldRank("Hiscore.dat", 1200, "J\xF6rg"), 7);
  // Another table, another name or other points: no rank.
  EXPECT_EQ(world::WorldRank("Hiscore-party-01234567.dat", 1200, "J\xF6rg"), 0);
  EXPECT_EQ(world::WorldRank("Hiscore.dat", 1200, "Jorg"), 0);
  EXPECT_EQ(world::WorldRank("Hiscore.dat", 1100, "J\xF6rg"), 0);
}

TEST_F(WorldQueue, OfflineTheScoreWaitsForTheNextStart) {
  ASSERT_TRUE(Queue());
  world::PumpWorldScores();
  server_.Answer(0, "");
  EXPECT_EQ(world::QueuedScores(), 1u);
  EXPECT_FALSE(world::WorkLeft());
  world::PumpWorldScores();  // not again in this run
  EXPECT_EQ(server_.Calls.size(), 1u);

  Restart();
  world::PumpWorldScores();
  ASSERT_EQ(server_.Calls.size(), 2u);
  EXPECT_EQ(server_.Calls[1].Request.Method, "POST");
  EXPECT_EQ(server_.Calls[1].Request.Body, server_.Calls[0].Request.Body);
}

TEST_F(WorldQueue, BusyOrBrokenServersAreAskedAgainLaterNeverAtOnce) {
  for (const int32_t status : {429, 503, 500}) {
    SCOPED_TRACE(status);
    Restart();
    if (world::QueuedScores() == 0) {
      ASSERT_TRUE(Queue());
    }
    const size_t before = server_.Calls.size();
    world::PumpWorldScores();
    ASSERT_EQ(server_.Calls.size(), before + 1);
    server_.Answer(status, R"({"status":"busy","reason":"The table is busy."})", 30);
    world::PumpWorldScores();
    EXPECT_EQ(server_.Calls.size(), before + 1);
    EXPECT_EQ(world::QueuedScores(), 1u);
    EXPECT_TRUE(world::WorkLeft());  // tried again in this run, once the wait is over
  }
}

TEST_F(WorldQueue, ARefusalThatWouldStandDropsTheScore) {
  const std::pair<int32_t, const char*> refusals[] = {
      {400, "damaged"}, {409, "differs"}, {400, "bad-name"}, {409, "duplicate"},
      {422, "unknown-levels"}, {413, "too-large"}, {404, ""}};
  for (const auto& [status, code] : refusals) {
    SCOPED_TRACE(code);
    Restart();
    ASSERT_TRUE(Queue());
    world::PumpWorldScores();
    server_.Answer(status, std::string(R"({"status":"refused","code":")") + code +
                               R"(","reason":"Not this one."})");
    EXPECT_EQ(world::QueuedScores(), 0u);
    EXPECT_EQ(QueuedFiles(), 0u);
    Restart();
    const size_t calls = server_.Calls.size();
    world::PumpWorldScores();
    EXPECT_EQ(server_.Calls.size(), calls);  // never sent again
  }
}

TEST_F(WorldQueue, AnAnswerThatIsNoRefusalKeepsTheScore) {
  // Another site at the address, or an answer of odd shapes: nothing is lost, nothing crashes.
  const std::pair<int32_t, const char*> answers[] = {
      {404, "<html>Not Found</html>"},
      {405, ""},
      {200, R"({"status":"accepted","rank":"first"})"},
      {200, R"({"status":"accepted","rank":-3})"},
      {400, R"({"status":"refused","code":7,"reason":["x"]})"},
      {200, R"([1,2,3])"},
  };
  ASSERT_TRUE(Queue());
  for (const auto& [status, body] : answers) {
    SCOPED_TRACE(body);
    Restart();
    world::PumpWorldScores();
    server_.Answer(status, body);
    EXPECT_EQ(world::QueuedScores(), status == 400 ? 0u : 1u);
    EXPECT_EQ(world::WorldRank("Hiscore.dat", 1200, "J\xF6rg"), 0);
    if (status == 400) {
      ASSERT_TRUE(Queue());
    }
  }
}

TEST_F(WorldQueue, APendingScoreIsAskedAboutByItsIdAfterAStart) {
  ASSERT_TRUE(Queue());
  world::PumpWorldScores();
  server_.Answer(202, R"({"status":"pending","id":"q-42"})");
  EXPECT_EQ(world::QueuedScores(), 1u);
  world::PumpWorldScores();  // asked again only after a few seconds
  EXPECT_EQ(server_.Calls.size(), 1u);

  Restart();
  world::PumpWorldScores();
  ASSERT_EQ(server_.Calls.size(), 2u);
  EXPECT_EQ(server_.Calls[1].Request.Method, "GET");
  EXPECT_EQ(server_.Calls[1].Request.Url, "http://127.0.0.1:9/api/v1/scores/q-42");
  server_.Answer(200, R"({"status":"accepted","id":"q-42","rank":3})");
  EXPECT_EQ(world::QueuedScores(), 0u);
  EXPECT_EQ(world::WorldRank("Hiscore.dat", 1200, "J\xF6rg"), 3);
}

TEST_F(WorldQueue, OnlyTheReplayOfTheScoreIsQueued) {
  EXPECT_FALSE(world::QueueScore(replay_, "Hiscore.dat", 900, "Ann"));  // another score's
  std::ofstream(replay_, std::ios::binary) << "TVRP damaged";
  EXPECT_FALSE(Queue());
  EXPECT_FALSE(world::QueueScore((home_ / "missing.tvr").string(), "Hiscore.dat", 1200, "Ann"));
  EXPECT_EQ(world::QueuedScores(), 0u);
}

TEST(WorldAddress, TheApiAndThePagesComeFromTheSiteOrTheSetting) {
  EXPECT_EQ(world::ApiRootOf("https://tarvelle.example.org/"), "https://tarvelle.example.org/api/v1/");
  EXPECT_EQ(world::ApiRootOf("http://127.0.0.1:8080"), "http://127.0.0.1:8080/api/v1/");
  world::SetServer("http://127.0.0.1:8080/api/v1");
  EXPECT_EQ(world::Server(), "http://127.0.0.1:8080/api/v1/");
  EXPECT_EQ(world::PagesAddress(), "http://127.0.0.1:8080/");
  world::SetServer("");
}

// A server on a local socket that reads one request and gives one canned answer.
class TOneAnswerServer {
 public:
  explicit TOneAnswerServer(std::string answer) : answer_(std::move(answer)) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    ::listen(fd_, 1);
    thread_ = std::thread([this] { Serve(); });
  }
  ~TOneAnswerServer() {
    thread_.join();
    ::close(fd_);
  }
  int Port() const { return port_; }
  const std::string& Received() const { return received_; }

 private:
  void Serve() {
    const int c = ::accept(fd_, nullptr, nullptr);
    char buffer[4096];
    // The headers, then as much body as they announce.
    size_t want = std::string::npos;
    while (want == std::string::npos || received_.size() < want) {
      const ssize_t n = ::read(c, buffer, sizeof buffer);
      if (n <= 0) break;
      received_.append(buffer, static_cast<size_t>(n));
      const size_t end = received_.find("\r\n\r\n");
      const size_t length = received_.find("Content-Length: ");
      if (end != std::string::npos)
        want = end + 4 + (length < end ? std::stoul(received_.substr(length + 16)) : 0);
    }
    if (::write(c, answer_.data(), answer_.size()) < 0) received_ += "(the answer could not be written)";
    ::close(c);
  }

  std::string answer_, received_;
  int fd_ = -1, port_ = 0;
  std::thread thread_;
};

TEST(HttpClient, SendsInTheBackgroundAndHandsTheAnswerBackOnPoll) {
  TOneAnswerServer server(
      "HTTP/1.1 503 Service Unavailable\r\nRetry-After: 17\r\nContent-Length: 17\r\n"
      "Connection: close\r\n\r\n{\"status\":\"busy\"}");
  http::TRequest r;
  r.Method = "POST";
  r.Url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/api/v1/scores?name=Ann";
  r.Body = std::string("TVRP\0\x01\x02", 7);
  r.ContentType = "application/octet-stream";
  http::TAnswer got;
  bool called = false;
  http::Send(r, [&](const http::TAnswer& a) {
    got = a;
    called = true;
  });
  EXPECT_FALSE(called);  // never on the caller's turn
  ASSERT_TRUE(http::Wait(20000));
  ASSERT_TRUE(called);
  EXPECT_EQ(got.Status, 503);
  EXPECT_EQ(got.RetryAfter, 17);
  EXPECT_EQ(got.Body, R"({"status":"busy"})");
  EXPECT_NE(server.Received().find("POST /api/v1/scores?name=Ann HTTP/1.1"), std::string::npos);
  EXPECT_NE(server.Received().find("Content-Type: application/octet-stream"), std::string::npos);
  EXPECT_EQ(server.Received().substr(server.Received().size() - 7), r.Body);
}

TEST(HttpClient, NoServerIsNoAnswerWithAReason) {
  // A port just closed: nothing listens there.
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t len = sizeof a;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  ::close(fd);
  http::TAnswer got;
  got.Status = -1;
  http::Send({"GET", "http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/", "", "", 5},
             [&](const http::TAnswer& answer) { got = answer; });
  ASSERT_TRUE(http::Wait(20000));
  EXPECT_EQ(got.Status, 0);
  EXPECT_FALSE(got.Error.empty());
}

}  // namespace
