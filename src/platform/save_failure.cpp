#include "platform/save_failure.h"

#include <cstdio>
#include <set>

namespace files {

namespace {

TShowSaveFailure showHook = nullptr;

}  // namespace

void SetShowSaveFailure(TShowSaveFailure show) {
  showHook = show;
}

void ReportSaveFailure(const std::string& message) {
  static std::set<std::string> shown;
  if (showHook && shown.insert(message).second) {
    showHook(message);
    return;
  }
  std::fprintf(stderr, "Tarvelle: %s\n", message.c_str());
}

}  // namespace files
