#pragma once
#include <string>

// A library of the system loaded while the program runs, for what the game can do without
// (the MIDI synthesizer): a program that lacks it still starts.
class TSharedLibrary {
 public:
  // Loads the library: a file name the system looks for where it keeps libraries, or a path
  // (UTF-8). Loaded() tells whether it was found.
  explicit TSharedLibrary(const std::string& name);
  // Unloads it, unless Keep() was called.
  ~TSharedLibrary();
  TSharedLibrary(const TSharedLibrary&) = delete;
  TSharedLibrary& operator=(const TSharedLibrary&) = delete;

  bool Loaded() const { return handle_ != nullptr; }
  // The address of a function of the library; null when it has none of that name (or the library
  // was not loaded).
  void* Symbol(const char* name) const;
  // Leaves the library loaded until the process ends (its functions stay in use).
  void Keep() { handle_ = nullptr; }

 private:
  void* handle_ = nullptr;
};
