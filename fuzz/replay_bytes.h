#pragma once
// Replay inputs for the fuzz targets: the file's last four bytes are its checksum, which a
// mutated input almost never keeps; sealed, the input reaches everything after the checksum.
#include <cstdint>
#include <string>

#include "game/replay.h"

namespace fuzz {

inline std::string SealedReplay(std::string bytes) {
  if (bytes.size() < 4) return bytes;
  const uint32_t crc = ReplayChecksum(std::string_view(bytes).substr(0, bytes.size() - 4));
  for (size_t b = 0; b < 4; ++b) bytes[bytes.size() - 4 + b] = static_cast<char>(crc >> (8 * b));
  return bytes;
}

}  // namespace fuzz
