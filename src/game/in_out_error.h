#pragma once
#include <stdexcept>
#include <string>

// The game's input/output error: a data file that is missing, too short or not valid.
// The message names the file and, where it applies, the level and the field.
class EInOutError : public std::runtime_error {
 public:
  enum : int { ecInvalidData = 0, ecFileNotFound = 2, ecReadBeyondEnd = 100, ecReadFailed = 101 };

  EInOutError(int errorCode, const std::string& message)
      : std::runtime_error(message), ErrorCode(errorCode) {}

  int ErrorCode;
};
