#pragma once
#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "media/image_list.h"

// Reads the picture pack: a table of six little-endian 32-bit offsets, then picture files;
// entry i runs from offset i up to offset i + 1.
class TJPEGLoader {
 public:
  static constexpr int kOffsetCount = 6;

  // Opens the pack and reads its offset table; raises std::ios_base::failure when the file is
  // missing or too short for the table.
  void Open(const std::string& path);
  // Decodes entry i (PNG, JPEG or BMP) and makes it the picture of the named item of `list`.
  // False when the entry lies outside the file or is not a picture it can read; raises
  // EImageNotFound when the list has no such item.
  bool Load(int index, std::string_view itemName, TDXImageList& list);
  void Close();

 private:
  std::array<uint32_t, kOffsetCount> offsets_{};
  std::ifstream file_;
  uint64_t fileSize_ = 0;
};
