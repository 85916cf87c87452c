#include "media/midi_song.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/paths.h"

namespace {

struct TTickEvent {
  uint64_t Tick;
  int Order;       // position in the file, keeps events of one tick in order
  uint32_t Tempo;  // microseconds per quarter note when this is a tempo change, else 0
  TMidiEvent Event;
};

class TReader {
 public:
  TReader(std::span<const uint8_t> d) : d_(d) {}
  bool AtEnd() const { return pos_ >= d_.size(); }
  size_t Pos() const { return pos_; }
  uint8_t Byte() {
    if (pos_ >= d_.size()) throw std::runtime_error("MIDI file ends too early");
    return d_[pos_++];
  }
  uint8_t Peek() const {
    if (pos_ >= d_.size()) throw std::runtime_error("MIDI file ends too early");
    return d_[pos_];
  }
  uint32_t Be(int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | Byte();
    return v;
  }
  uint32_t VarLen() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const uint8_t b = Byte();
      v = v << 7 | (b & 0x7F);
      if (!(b & 0x80)) return v;
    }
    throw std::runtime_error("bad variable-length number in MIDI file");
  }
  void Skip(size_t n) {
    if (n > d_.size() - pos_) throw std::runtime_error("MIDI file ends too early");
    pos_ += n;
  }
  std::span<const uint8_t> Take(size_t n) {
    const size_t start = pos_;
    Skip(n);
    return d_.subspan(start, n);
  }

 private:
  std::span<const uint8_t> d_;
  size_t pos_ = 0;
};

// Reads one track; returns the tick of its end.
uint64_t ReadTrack(std::span<const uint8_t> data, std::vector<TTickEvent>& out, int& order) {
  TReader r(data);
  uint64_t tick = 0;
  uint8_t running = 0;
  while (!r.AtEnd()) {
    tick += r.VarLen();
    uint8_t status = r.Peek();
    if (status & 0x80) {
      r.Byte();
    } else if (running) {
      status = running;
    } else {
      throw std::runtime_error("MIDI data without a status byte");
    }
    if (status == 0xFF) {
      const uint8_t type = r.Byte();
      const uint32_t len = r.VarLen();
      auto body = r.Take(len);
      if (type == 0x2F) return tick;
      if (type == 0x51 && len == 3) {
        const uint32_t tempo = body[0] << 16 | body[1] << 8 | body[2];
        out.push_back({tick, order++, std::max<uint32_t>(tempo, 1), {}});
      }
      running = 0;
    } else if (status == 0xF0 || status == 0xF7) {
      r.Skip(r.VarLen());
      running = 0;
    } else if (status >= 0x80 && status < 0xF0) {
      running = status;
      TMidiEvent e;
      e.Status = status;
      e.Data1 = r.Byte() & 0x7F;
      const uint8_t kind = status & 0xF0;
      if (kind != 0xC0 && kind != 0xD0) e.Data2 = r.Byte() & 0x7F;
      out.push_back({tick, order++, 0, e});
    } else {
      throw std::runtime_error("unexpected status byte in MIDI file");
    }
  }
  return tick;  // a track without an end marker ends with its data
}

}  // namespace

TMidiSong ParseMidi(std::span<const uint8_t> file, int rate) {
  TReader r(file);
  if (file.size() < 14 || r.Be(4) != 0x4D546864) throw std::runtime_error("not a MIDI file");
  const uint32_t headerLen = r.Be(4);
  if (headerLen < 6) throw std::runtime_error("MIDI header too short");
  const uint32_t format = r.Be(2);
  const uint32_t tracks = r.Be(2);
  const uint32_t division = r.Be(2);
  r.Skip(headerLen - 6);
  if (format > 1) throw std::runtime_error("MIDI format 2 is not supported");
  if (division & 0x8000 || division == 0) throw std::runtime_error("SMPTE MIDI timing");

  std::vector<TTickEvent> events;
  uint64_t endTick = 0;
  int order = 0;
  for (uint32_t t = 0; t < tracks && !r.AtEnd(); ++t) {
    const uint32_t id = r.Be(4);
    const uint32_t len = r.Be(4);
    auto body = r.Take(len);
    if (id != 0x4D54726B) continue;  // unknown chunk
    endTick = std::max(endTick, ReadTrack(body, events, order));
  }
  std::sort(events.begin(), events.end(), [](const TTickEvent& a, const TTickEvent& b) {
    return a.Tick != b.Tick ? a.Tick < b.Tick : a.Order < b.Order;
  });

  // Ticks to frames through the tempo map (120 beats a minute until the first change).
  TMidiSong song;
  double tempo = 500000, seconds = 0;
  uint64_t lastTick = 0;
  auto advance = [&](uint64_t tick) {
    seconds += static_cast<double>(tick - lastTick) * tempo / 1e6 / division;
    lastTick = tick;
    return static_cast<uint32_t>(std::llround(seconds * rate));
  };
  for (const TTickEvent& e : events) {
    const uint32_t frame = advance(e.Tick);
    if (e.Tempo) {
      tempo = e.Tempo;
    } else {
      song.Events.push_back(e.Event);
      song.Events.back().Frame = frame;
    }
  }
  song.Length = advance(std::max(endTick, lastTick));
  return song;
}

bool LoadMidiFile(const std::string& path, int rate, TMidiSong& song, std::string& error) {
  std::ifstream in(paths::PathOf(path), std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  try {
    song = ParseMidi(data, rate);
    song.Path = path;
  } catch (const std::exception& e) {
    error = path + ": " + e.what();
    return false;
  }
  return true;
}
