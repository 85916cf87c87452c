#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

#include "game/replay.h"
#include "platform/paths.h"

namespace {

constexpr char Magic[4] = {'T', 'V', 'R', 'P'};
constexpr size_t MaxFileSize = 64u << 20;
constexpr uint64_t MaxEntries = 50'000'000;
constexpr uint64_t MaxReads = 4096;

// How many numbers follow a call of each kind.
int ArgCount(uint8_t call) {
  switch (call) {
    case tcFrame:
    case tcKeyPress:
    case tcJoyButUp:
      return 1;
    case tcJoyMove:
      return 3;
    case tcKeyDown:
    case tcKeyUp:
      return 2;
    case tcMouseUp:
      return 4;
    default:
      return 0;
  }
}

class TWriter {
 public:
  void U(uint64_t v) {
    while (v >= 0x80) {
      out += static_cast<char>((v & 0x7F) | 0x80);
      v >>= 7;
    }
    out += static_cast<char>(v);
  }
  void S(int64_t v) {
    U(v < 0 ? (static_cast<uint64_t>(-(v + 1)) << 1) | 1 : static_cast<uint64_t>(v) << 1);
  }
  void Reads(const std::vector<uint32_t>& reads) {
    U(reads.size());
    for (uint32_t r : reads) {
      S(static_cast<int32_t>(r - last));
      last = r;
    }
  }
  std::string out;
  uint32_t last = 0;
};

class TReader {
 public:
  TReader(const std::string& s, size_t end, const std::string& name)
      : s_(s), end_(end), name_(name) {}
  [[noreturn]] void Fail(const std::string& what) const { throw EReplayError(name_ + ": " + what); }
  uint64_t U() {
    uint64_t v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      if (at_ >= end_) Fail("the file ends too soon");
      const auto b = static_cast<uint8_t>(s_[at_++]);
      v |= static_cast<uint64_t>(b & 0x7F) << shift;
      if (!(b & 0x80)) return v;
    }
    Fail("a number is too long");
  }
  int64_t S() {
    const uint64_t u = U();
    return u & 1 ? -static_cast<int64_t>(u >> 1) - 1 : static_cast<int64_t>(u >> 1);
  }
  int32_t I(int64_t lo, int64_t hi, const char* what) {
    const int64_t v = S();
    if (v < lo || v > hi) Fail(std::string(what) + " " + std::to_string(v) + " is out of range");
    return static_cast<int32_t>(v);
  }
  void Reads(std::vector<uint32_t>& reads) {
    const uint64_t n = U();
    if (n > MaxReads) Fail("too many clock readings in one call");
    reads.resize(n);
    for (uint32_t& r : reads) {
      last_ += static_cast<uint32_t>(static_cast<int32_t>(I(INT32_MIN, INT32_MAX, "a clock step")));
      r = last_;
    }
  }
  size_t At() const { return at_; }

 private:
  const std::string& s_;
  size_t end_;
  size_t at_ = 5;
  const std::string& name_;
  uint32_t last_ = 0;
};

}  // namespace

uint32_t ReplayChecksum(std::string_view bytes) {
  static const auto table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (const char ch : bytes) crc = table[(crc ^ static_cast<uint8_t>(ch)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::string EncodeReplay(const TReplay& r) {
  TWriter w;
  w.out.assign(Magic, 4);
  w.out += static_cast<char>(ReplayVersion);
  w.U(r.Seed);
  w.S(r.Difficulty);
  w.S(r.StartLevel);
  w.S(r.MaxLevel);
  w.S(r.SleepMs);
  w.U(r.Levels);
  w.U(r.Rules);
  w.Reads(r.StartReads);
  w.U(r.Entries.size());
  for (const TTapeEntry& e : r.Entries) {
    w.U(e.Call);
    const int32_t args[4] = {e.A, e.B, e.C, e.D};
    for (int i = 0; i < ArgCount(e.Call); ++i) w.S(args[i]);
    w.Reads(e.Reads);
  }
  w.S(r.Final.Score);
  w.S(r.Final.Lives);
  w.S(r.Final.LevelNo);
  w.U(r.Final.RandomState);
  const uint32_t crc = ReplayChecksum(w.out);
  for (int b = 0; b < 4; ++b) w.out += static_cast<char>(crc >> (8 * b));
  return w.out;
}

TReplay DecodeReplay(const std::string& bytes, const std::string& name) {
  if (bytes.size() < 9 || bytes.compare(0, 4, Magic, 4) != 0)
    throw EReplayError(name + ": not a Tarvelle replay");
  const uint8_t version = static_cast<uint8_t>(bytes[4]);
  if (version < 1 || version > ReplayVersion)
    throw EReplayError(name + ": a replay of version " +
                       std::to_string(static_cast<uint8_t>(bytes[4])) +
                       ", this game plays version " + std::to_string(ReplayVersion));
  const size_t end = bytes.size() - 4;
  uint32_t stored = 0;
  for (int b = 0; b < 4; ++b)
    stored |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[end + b])) << (8 * b);
  if (stored != ReplayChecksum(std::string_view(bytes).substr(0, end)))
    throw EReplayError(name + ": the file is damaged (checksum)");
  TReader in(bytes, end, name);
  TReplay r;
  r.Seed = static_cast<uint32_t>(in.U());
  r.Difficulty = in.I(1, 3, "difficulty");
  r.StartLevel = in.I(1, 15, "start level");
  r.MaxLevel = in.I(0, 15, "highest level");
  r.SleepMs = in.I(0, 5, "sleep");
  if (version >= 2) {
    const uint64_t levels = in.U();
    if (levels > UINT32_MAX) in.Fail("the level file's checksum is out of range");
    r.Levels = static_cast<uint32_t>(levels);
  }
  if (version >= 3) {
    const uint64_t rules = in.U();
    if (rules < 1 || rules > UINT32_MAX) in.Fail("the rules number is out of range");
    r.Rules = static_cast<uint32_t>(rules);
  }
  in.Reads(r.StartReads);
  const uint64_t n = in.U();
  if (n > MaxEntries) in.Fail("too many calls");
  // A call takes two bytes at least: no more room than the rest of the file can fill.
  r.Entries.reserve(static_cast<size_t>(std::min<uint64_t>(n, (end - in.At()) / 2)));
  for (uint64_t i = 0; i < n; ++i) {
    TTapeEntry e;
    const uint64_t call = in.U();
    if (call < tcFrame || call > LastTapeCall)
      in.Fail("call " + std::to_string(i + 1) + " is of an unknown kind");
    e.Call = static_cast<uint8_t>(call);
    int32_t* args[4] = {&e.A, &e.B, &e.C, &e.D};
    for (int k = 0; k < ArgCount(e.Call); ++k) *args[k] = in.I(INT32_MIN, INT32_MAX, "a number");
    if (e.Call == tcFrame && (e.A < 1 || e.A > 600000))
      in.Fail("a frame of " + std::to_string(e.A) + " ms");
    in.Reads(e.Reads);
    r.Entries.push_back(std::move(e));
  }
  r.Final.Score = in.I(0, INT32_MAX, "score");
  r.Final.Lives = in.I(0, 100, "lives");
  r.Final.LevelNo = in.I(1, 15, "level");
  r.Final.RandomState = static_cast<uint32_t>(in.U());
  if (in.At() != end) in.Fail("unexpected bytes after the end");
  return r;
}

TReplay ReadReplayFile(const std::string& path) {
  std::ifstream f(paths::PathOf(path), std::ios::binary);
  if (!f) throw EReplayError(path + ": cannot open the file");
  std::string bytes;
  bytes.resize(MaxFileSize + 1);
  f.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(f.gcount()));
  if (bytes.size() > MaxFileSize) throw EReplayError(path + ": too large for a replay");
  return DecodeReplay(bytes, path);
}
