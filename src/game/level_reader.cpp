#include "game/level_reader.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "game/in_out_error.h"
#include "game/level_check.h"
#include "platform/paths.h"

namespace {

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

// Opens the file for reading only (it is never written, and may well be read-only); anything
// but a plain file (a folder in its place) is refused.
TFile OpenLevelFile(const std::string& path, const std::string& name) {
  TFile f(paths::OpenFile(path, "rb"));
  if (!f) {
    throw EInOutError(EInOutError::ecFileNotFound,
                      name + ": file not found (" + path + ": " + std::strerror(errno) + ")");
  }
  if (!paths::IsPlainFile(f.get())) {
    throw EInOutError(EInOutError::ecReadFailed, name + ": not a file (" + path + ")");
  }
  return f;
}

}  // namespace

TLevelReader::TLevelReader(std::string path) : path_(std::move(path)) {}

std::string TLevelReader::FileName() const {
  const size_t slash = path_.find_last_of("/\\");
  return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

std::string TLevelReader::Where(int32_t levelNo) const {
  return FileName() + ", level " + std::to_string(levelNo);
}

int32_t TLevelReader::RecordCount() const {
  TFile f = OpenLevelFile(path_, FileName());
  if (std::fseek(f.get(), 0, SEEK_END) != 0) {
    throw EInOutError(EInOutError::ecReadFailed, FileName() + ": cannot seek");
  }
  const long size = std::ftell(f.get());
  if (size < 0) throw EInOutError(EInOutError::ecReadFailed, FileName() + ": cannot seek");
  return static_cast<int32_t>(size / LevelRecordSize);
}

TLevelRecord TLevelReader::ReadRecord(int32_t levelNo) const {
  if (levelNo < 1) {
    throw EInOutError(EInOutError::ecReadBeyondEnd, Where(levelNo) + ": levels count from 1");
  }
  TFile f = OpenLevelFile(path_, FileName());
  const long offset = static_cast<long>(levelNo - 1) * LevelRecordSize;
  if (std::fseek(f.get(), offset, SEEK_SET) != 0) {
    throw EInOutError(EInOutError::ecReadFailed, Where(levelNo) + ": cannot seek to the record");
  }
  std::array<uint8_t, LevelRecordSize> bytes{};
  const size_t got = std::fread(bytes.data(), 1, bytes.size(), f.get());
  if (got != bytes.size()) {
    if (std::ferror(f.get())) {
      throw EInOutError(EInOutError::ecReadFailed,
                        Where(levelNo) + ": read error (" + std::strerror(errno) + ")");
    }
    throw EInOutError(EInOutError::ecReadBeyondEnd, Where(levelNo) + ": read beyond end of file");
  }
  if (std::fclose(f.release()) != 0) {
    throw EInOutError(EInOutError::ecReadFailed, Where(levelNo) + ": cannot close the file");
  }
  return DecodeLevelRecord(bytes);
}

TLevelRecord TLevelReader::ReadLevel(int32_t levelNo) const {
  TLevelRecord record = ReadRecord(levelNo);
  const std::vector<TLevelProblem> errors = LevelRecordErrors(record);
  if (!errors.empty()) {
    throw EInOutError(EInOutError::ecInvalidData, Where(levelNo) + ": " + errors.front().Text);
  }
  return record;
}
