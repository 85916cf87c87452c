// tarvelle-levels: builds, takes apart, checks and shows the level file.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "core/level_set.h"
#include "game/in_out_error.h"
#include "game/level_check.h"
#include "game/level_reader.h"
#include "platform/process_env.h"
#include "tools/levels/level_show.h"
#include "tools/levels/level_text.h"

namespace fs = std::filesystem;

namespace {


void Usage() {
  std::cerr << "usage: tarvelle-levels compile OUT.dat LEVEL.txt...   build a level file\n"
               "       tarvelle-levels dump FILE.dat DIR               write levelNN.txt sources\n"
               "       tarvelle-levels check FILE...                   list every problem\n"
               "       tarvelle-levels show FILE [LEVEL]               print levels as maps\n"
               "FILE is a level file (.dat) or level sources (.txt).\n";
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path.string() + ": cannot open");
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A level with where it came from, for messages.
struct TLoaded {
  std::string Where;  // "LevelsFree.dat, level 3" or "level03.txt"
  int LevelNo = 0;
  TLevelRecord Record;
  std::string Note;
};

std::vector<TLoaded> LoadLevels(const std::vector<std::string>& files) {
  std::vector<TLoaded> out;
  for (const std::string& file : files) {
    if (fs::path(file).extension() == ".txt") {
      TLevelSource s = ParseLevelSource(ReadText(file), fs::path(file).filename().string());
      // level07.txt is level 7; other names count in the order given.
      const std::string stem = fs::path(file).stem().string();
      const size_t digits = stem.find_first_of("0123456789");
      const int levelNo = digits != std::string::npos ? std::atoi(stem.c_str() + digits)
                                                      : static_cast<int>(out.size()) + 1;
      out.push_back({fs::path(file).filename().string(), levelNo, s.Record, s.Note});
      continue;
    }
    const TLevelReader reader(file);
    const int32_t n = reader.RecordCount();
    for (int32_t i = 1; i <= n; ++i) out.push_back({reader.Where(i), i, reader.ReadRecord(i), ""});
  }
  return out;
}

// Prints the problems of one level; returns the number of errors.
int Report(const TLoaded& level, const std::vector<TLevelProblem>& problems) {
  int errors = 0;
  for (const TLevelProblem& p : problems) {
    std::cerr << level.Where << ": " << (p.Error ? "error: " : "warning: ") << p.Text << "\n";
    errors += p.Error ? 1 : 0;
  }
  return errors;
}

int Compile(const std::string& out, const std::vector<std::string>& sources) {
  std::vector<uint8_t> bytes;
  int errors = 0;
  for (const std::string& src : sources) {
    const TLevelSource s = ParseLevelSource(ReadText(src), fs::path(src).filename().string());
    errors += Report({fs::path(src).filename().string(), 0, s.Record, s.Note},
                     CheckLevelRecord(s.Record));
    std::array<uint8_t, LevelRecordSize> record{};
    EncodeLevelRecord(s.Record, record);
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  if (errors > 0) {
    std::cerr << out << ": not written, " << errors << " error(s)\n";
    return 1;
  }
  const fs::path tmp = out + ".tmp";
  {
    std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error(tmp.string() + ": cannot write");
  }
  fs::rename(tmp, out);
  return 0;
}

int Dump(const std::string& file, const std::string& dir) {
  fs::create_directories(dir);
  const TLevelReader reader(file);
  const int32_t n = reader.RecordCount();
  for (int32_t i = 1; i <= n; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "level%02d.txt", i);
    std::ofstream f(fs::path(dir) / name, std::ios::binary | std::ios::trunc);
    f << FormatLevelSource(reader.ReadRecord(i), "");
    if (!f) throw std::runtime_error((fs::path(dir) / name).string() + ": cannot write");
  }
  std::cout << "wrote " << n << " level source(s) to " << dir << "\n";
  return 0;
}

int Check(const std::vector<std::string>& files) {
  int errors = 0, warnings = 0;
  for (const std::string& file : files) {
    if (fs::path(file).extension() == ".txt") continue;
    const TLevelReader reader(file);
    const int32_t n = reader.RecordCount();
    if (n < LevelSetSize) {
      std::cerr << reader.FileName() << ": error: the file holds " << n
                << " level(s), the game needs " << LevelSetSize << "\n";
      ++errors;
    }
    const auto size = fs::file_size(file);
    if (size % LevelRecordSize != 0) {
      std::cerr << reader.FileName() << ": warning: " << size % LevelRecordSize
                << " bytes after the last whole level\n";
      ++warnings;
    }
  }
  for (const TLoaded& level : LoadLevels(files)) {
    const auto problems = CheckLevelRecord(level.Record);
    const int e = Report(level, problems);
    errors += e;
    warnings += static_cast<int>(problems.size()) - e;
  }
  std::cout << errors << " error(s), " << warnings << " warning(s)\n";
  return errors > 0 ? 1 : 0;
}

int Show(const std::string& file, int only) {
  const std::vector<TLoaded> levels = LoadLevels({file});
  bool shown = false;
  for (const TLoaded& level : levels) {
    if (only != 0 && level.LevelNo != only) continue;
    if (shown) std::cout << "\n";
    std::cout << ShowLevel(level.Record, level.LevelNo, level.Note);
    shown = true;
  }
  if (!shown) {
    std::cerr << file << ": no level " << only << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  process::BinaryStandardOutput();  // "\n" stays one byte on Windows too
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() >= 3 && args[0] == "compile") {
      return Compile(args[1], {args.begin() + 2, args.end()});
    }
    if (args.size() == 3 && args[0] == "dump") return Dump(args[1], args[2]);
    if (args.size() >= 2 && args[0] == "check") return Check({args.begin() + 1, args.end()});
    if ((args.size() == 2 || args.size() == 3) && args[0] == "show") {
      return Show(args[1], args.size() == 3 ? std::stoi(args[2]) : 0);
    }
    Usage();
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "tarvelle-levels: " << e.what() << "\n";
    return 1;
  }
}
