// tarvelle-demos: builds and takes apart the demo file, and shows its demos headless.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "core/level_set.h"
#include "game/demo_file.h"
#include "game/in_out_error.h"
#include "platform/process_env.h"
#include "tools/demos/demo_play.h"
#include "tools/demos/demo_text.h"

namespace fs = std::filesystem;

namespace {

constexpr int32_t FrameLengths[] = {7, 16, 33};

void Usage() {
  std::cerr << "usage: tarvelle-demos compile OUT.dat DEMOS.txt   build the demo file\n"
               "       tarvelle-demos dump FILE.dat               print it as demo source\n"
               "       tarvelle-demos check DIR                   show every demo of DIR's\n"
               "                                                  DemoFree.dat at 7, 16 and 33 ms\n"
               "                                                  a frame; fails on a lost one\n";
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot open");
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int Compile(const std::string& out, const std::string& source) {
  std::vector<TDemo> demos;
  for (const TDemoSource& d : ParseDemoText(ReadText(source), fs::path(source).filename().string()))
    demos.push_back(d.Demo);
  const std::vector<uint8_t> bytes = EncodeDemoFile(demos);
  // What the game will accept, checked before anything is written.
  ParseDemoFile(bytes, fs::path(out).filename().string(), LevelSetSize);
  const std::string tmp = out + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error(tmp + ": cannot write");
  }
  fs::rename(tmp, out);
  return 0;
}

int Dump(const std::string& file) {
  std::vector<TDemoSource> out;
  for (const TDemo& d : ReadDemoFile(file, LevelSetSize)) out.push_back({d, {}});
  std::cout << FormatDemoText(out);
  return 0;
}

int Check(const std::string& dir) {
  const int32_t n = CountDemos(dir);
  if (n == 0) {
    std::cerr << dir << ": no DemoFree.dat\n";
    return 1;
  }
  int lost = 0;
  std::printf("demo level  frame  outcome  at ms   time left  energy  score\n");
  for (int32_t d = 1; d <= n; ++d) {
    for (int32_t ms : FrameLengths) {
      const TDemoOutcome o = PlayDemo(dir, d, ms);
      std::printf("%4d %5d  %3d ms %-7s %7d %9d %7d %6d\n", d, o.Level, ms, o.Won ? "won" : "LOST",
                  o.LevelTicks, o.TimeLeft, o.Energy, o.Score);
      lost += o.Won ? 0 : 1;
    }
  }
  std::printf("%d of %d showings lost\n", lost, n * 3);
  return lost > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  process::BinaryStandardOutput();  // "\n" stays one byte on Windows too
  const std::vector<std::string> a(argv + 1, argv + argc);
  try {
    if (a.size() == 3 && a[0] == "compile") return Compile(a[1], a[2]);
    if (a.size() == 2 && a[0] == "dump") return Dump(a[1]);
    if (a.size() == 2 && a[0] == "check") return Check(a[1]);
  } catch (const std::exception& e) {
    std::cerr << "tarvelle-demos: " << e.what() << "\n";
    return 1;
  }
  Usage();
  return 2;
}
