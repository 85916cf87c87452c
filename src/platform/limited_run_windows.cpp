#include "platform/limited_run.h"

TRunResult RunWithLimits(const std::vector<std::string>&, std::string_view, const TRunLimits&) {
  TRunResult r;
  r.Error = "programs with limits are run on Linux only";
  return r;
}
