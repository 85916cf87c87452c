#include "game/demo_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "game/in_out_error.h"
#include "platform/paths.h"

namespace {

constexpr size_t HeadSize = 4;
constexpr size_t StepSize = 8;
// The largest file that can be valid; reading stops one byte past it.
constexpr size_t MaxFileSize = MaxDemos * (HeadSize + MaxDemoSteps * StepSize);

uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
int32_t I32(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 |
                              static_cast<uint32_t>(p[3]) << 24);
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::vector<TDemo> ParseDemoFile(const std::vector<uint8_t>& bytes, const std::string& fileName,
                                 int32_t levelCount) {
  if (bytes.empty()) {
    throw EInOutError(EInOutError::ecInvalidData, fileName + ": the file holds no demo");
  }
  std::vector<TDemo> demos;
  size_t at = 0;
  while (at < bytes.size()) {
    const int32_t number = static_cast<int32_t>(demos.size()) + 1;
    const std::string where = fileName + ", demo " + std::to_string(number);
    if (number > MaxDemos) {
      throw EInOutError(EInOutError::ecInvalidData,
                        where + ": more than " + std::to_string(MaxDemos) + " demos in the file");
    }
    if (bytes.size() - at < HeadSize) {
      throw EInOutError(EInOutError::ecReadBeyondEnd, where + ": the file ends inside the head");
    }
    const int32_t stepCount = U16(&bytes[at]);
    TDemo demo;
    demo.Level = U16(&bytes[at + 2]);
    at += HeadSize;
    if (stepCount > MaxDemoSteps) {
      throw EInOutError(EInOutError::ecInvalidData, where + ": " + std::to_string(stepCount) +
                                                        " steps, at most " +
                                                        std::to_string(MaxDemoSteps));
    }
    if (demo.Level < 1 || demo.Level > levelCount) {
      throw EInOutError(EInOutError::ecInvalidData, where + ": level " +
                                                        std::to_string(demo.Level) + ", not 1 to " +
                                                        std::to_string(levelCount));
    }
    if (bytes.size() - at < stepCount * StepSize) {
      throw EInOutError(EInOutError::ecReadBeyondEnd, where + ": the file ends inside the steps");
    }
    for (int32_t s = 0; s < stepCount; ++s, at += StepSize)
      demo.Steps.push_back({I32(&bytes[at]), bytes[at + 4]});
    demos.push_back(std::move(demo));
  }
  return demos;
}

std::vector<TDemo> ReadDemoFile(const std::string& path, int32_t levelCount) {
  const std::string name = BaseName(path);
  std::unique_ptr<std::FILE, TFileCloser> f(paths::OpenFile(path, "rb"));
  if (!f) {
    throw EInOutError(EInOutError::ecFileNotFound,
                      name + ": file not found (" + path + ": " + std::strerror(errno) + ")");
  }
  std::vector<uint8_t> bytes(MaxFileSize + 1);
  const size_t got = std::fread(bytes.data(), 1, bytes.size(), f.get());
  if (std::ferror(f.get())) {
    throw EInOutError(EInOutError::ecReadFailed,
                      name + ": read error (" + std::strerror(errno) + ")");
  }
  if (got > MaxFileSize) {
    throw EInOutError(EInOutError::ecInvalidData,
                      name + ": larger than " + std::to_string(MaxDemos) + " demos of " +
                          std::to_string(MaxDemoSteps) + " steps can be");
  }
  bytes.resize(got);
  return ParseDemoFile(bytes, name, levelCount);
}

std::vector<uint8_t> EncodeDemoFile(const std::vector<TDemo>& demos) {
  std::vector<uint8_t> out;
  auto put16 = [&](uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
  };
  for (const TDemo& d : demos) {
    const size_t n = std::min<size_t>(d.Steps.size(), MaxDemoSteps);
    put16(static_cast<uint32_t>(n));
    put16(static_cast<uint32_t>(d.Level));
    for (size_t i = 0; i < n; ++i) {
      const auto t = static_cast<uint32_t>(d.Steps[i].Time);
      for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>(t >> (8 * b)));
      out.push_back(d.Steps[i].KeyCode);
      out.insert(out.end(), 3, 0);
    }
  }
  return out;
}
