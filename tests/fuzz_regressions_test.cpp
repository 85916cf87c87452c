// Every input kept for a fuzz target (its seeds in fuzz/corpus/<target>/ and the inputs that
// once broke it in fuzz/regressions/<target>/) goes through the target again, in the normal
// and the sanitizer builds alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_target.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> TargetNames() {
  std::vector<std::string> names;
  for (const fuzz::TTarget& t : fuzz::Targets()) names.push_back(t.Name);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<fs::path> Inputs(const std::string& target) {
  std::vector<fs::path> files;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(TARVELLE_FUZZ_DIR) / kind / target;
    if (!fs::is_directory(dir)) continue;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.is_regular_file() && e.path().filename().string()[0] != '.') files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A broken check of a target fails the test instead of ending the program.
struct TCheckFailed {
  std::string What;
};
void ThrowCheckFailed(const std::string& what) {
  throw TCheckFailed{what};
}

class FuzzRegressions : public ::testing::TestWithParam<std::string> {};

TEST_P(FuzzRegressions, EveryKeptInputPasses) {
  const auto& targets = fuzz::Targets();
  const auto target = std::find_if(targets.begin(), targets.end(),
                                   [&](const fuzz::TTarget& t) { return t.Name == GetParam(); });
  ASSERT_NE(target, targets.end());
  const std::vector<fs::path> inputs = Inputs(GetParam());
  EXPECT_FALSE(inputs.empty()) << "no seed for " << GetParam();
  fuzz::SetFailHandler(ThrowCheckFailed);
  for (const fs::path& file : inputs) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    try {
      target->Entry(bytes.data(), bytes.size());
    } catch (const TCheckFailed& f) {
      ADD_FAILURE() << file << ": " << f.What;
    }
  }
  fuzz::SetFailHandler(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegressions, ::testing::ValuesIn(TargetNames()),
                         [](const auto& info) { return info.param; });

// A folder of inputs whose target is not built would never be replayed.
TEST(FuzzTargets, EveryInputFolderHasItsTarget) {
  const std::vector<std::string> names = TargetNames();
  std::set<std::string> known(names.begin(), names.end());
#ifdef TARVELLE_NO_SERVER
  known.insert("server_request");  // the server's target, built only where the server is
#endif
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path dir = fs::path(TARVELLE_FUZZ_DIR) / kind;
    if (!fs::is_directory(dir)) continue;
    for (const auto& e : fs::directory_iterator(dir))
      EXPECT_TRUE(known.count(e.path().filename().string())) << e.path();
  }
}

}  // namespace
