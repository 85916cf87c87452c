#pragma once
// A fuzz target is one function that must take any bytes without crashing, hanging, leaking or
// breaking one of its own checks. The same source builds either a libFuzzer program (with
// TARVELLE_FUZZ_PROGRAM defined) or, in the normal build, an entry of the list the tests replay
// the kept inputs through:
//
//   TARVELLE_FUZZ_TARGET(level_text) { ... data, size ... }
//
// The name is the target's: its program is fuzz_<name>, its inputs lie in fuzz/corpus/<name>/
// and fuzz/regressions/<name>/.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

using TEntry = void (*)(const uint8_t* data, size_t size);

struct TTarget {
  std::string Name;
  TEntry Entry;
};

// Every target linked into this program, in no particular order.
std::vector<TTarget>& Targets();

struct TRegister {
  TRegister(const char* name, TEntry entry) { Targets().push_back({name, entry}); }
};

// A broken invariant (a file written that does not read back the same, a value out of its
// range): a finding like a crash. By default it prints `what` and aborts; the tests put a
// handler of their own in its place.
[[noreturn]] void Fail(const std::string& what);
using TFailHandler = void (*)(const std::string& what);  // must not return
void SetFailHandler(TFailHandler handler);

inline void Check(bool ok, const std::string& what) {
  if (!ok) Fail(what);
}

// A folder of this process's own, made on first use (in memory where the system has one) and
// removed when the program ends; ends with '/'.
const std::string& ScratchFolder();
// Writes bytes to a file (replacing it).
void WriteFile(const std::string& path, const uint8_t* data, size_t size);

inline std::string_view Text(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzz

#ifdef TARVELLE_FUZZ_PROGRAM
#define TARVELLE_FUZZ_TARGET(name)                                          \
  static void FuzzEntry_##name(const uint8_t* data, size_t size);           \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
    FuzzEntry_##name(data, size);                                           \
    return 0;                                                               \
  }                                                                         \
  static void FuzzEntry_##name([[maybe_unused]] const uint8_t* data, [[maybe_unused]] size_t size)
#else
#define TARVELLE_FUZZ_TARGET(name)                                           \
  static void FuzzEntry_##name(const uint8_t* data, size_t size);            \
  static const fuzz::TRegister fuzzRegister_##name(#name, FuzzEntry_##name); \
  static void FuzzEntry_##name([[maybe_unused]] const uint8_t* data, [[maybe_unused]] size_t size)
#endif
