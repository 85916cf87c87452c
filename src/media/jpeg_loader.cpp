#include "media/jpeg_loader.h"

#include <vector>

#include "media/image_decode.h"
#include "platform/paths.h"

void TJPEGLoader::Open(const std::string& path) {
  Close();
  file_.open(paths::PathOf(path), std::ios::binary);
  if (!file_) throw std::ios_base::failure("Cannot open file " + path);
  file_.seekg(0, std::ios::end);
  fileSize_ = static_cast<uint64_t>(file_.tellg());
  file_.seekg(0);
  uint8_t table[kOffsetCount * 4];
  if (!file_.read(reinterpret_cast<char*>(table), sizeof table)) {
    Close();
    throw std::ios_base::failure("Read beyond end of file " + path);
  }
  for (int i = 0; i < kOffsetCount; ++i)
    offsets_[i] = table[i * 4] | (table[i * 4 + 1] << 8) | (table[i * 4 + 2] << 16) |
                  (uint32_t(table[i * 4 + 3]) << 24);
}

bool TJPEGLoader::Load(int index, std::string_view itemName, TDXImageList& list) {
  if (!file_.is_open() || index < 0 || index + 1 >= kOffsetCount) return false;
  const uint64_t from = offsets_[index], to = offsets_[index + 1];
  // The entry must lie wholly inside the file.
  if (from >= to || to > fileSize_) return false;
  std::vector<uint8_t> bytes(to - from);
  file_.clear();
  if (!file_.seekg(static_cast<std::streamoff>(from)) ||
      !file_.read(reinterpret_cast<char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size())))
    return false;
  auto image = DecodeImage(bytes.data(), bytes.size());
  if (!image) return false;
  list.Find(itemName).SetPicture(std::move(image->Pixels));
  return true;
}

void TJPEGLoader::Close() {
  if (file_.is_open()) file_.close();
  file_.clear();
  offsets_ = {};
  fileSize_ = 0;
}
