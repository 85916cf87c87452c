#include "fuzz/fuzz_target.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/process_env.h"

namespace fuzz {

namespace {

TFailHandler failHandler = nullptr;

struct TScratch {
  std::string Path;
  TScratch() {
    // Memory is the quickest place to write to where there is such a folder.
    const std::string tmpl =
        process::MakeTemporaryFolder("tarvelle-fuzz-", process::MemoryFolder());
    if (tmpl.empty()) {
      std::perror("tarvelle fuzz: cannot make a scratch folder");
      std::abort();
    }
    Path = tmpl + "/";
  }
  ~TScratch() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
  }
};

}  // namespace

std::vector<TTarget>& Targets() {
  static std::vector<TTarget> targets;
  return targets;
}

void Fail(const std::string& what) {
  if (failHandler) failHandler(what);
  std::fprintf(stderr, "tarvelle fuzz: check failed: %s\n", what.c_str());
  std::abort();
}

void SetFailHandler(TFailHandler handler) {
  failHandler = handler;
}

const std::string& ScratchFolder() {
  static const TScratch scratch;
  return scratch.Path;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!f) Fail("cannot write the scratch file " + path);
}

}  // namespace fuzz
