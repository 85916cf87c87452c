#include "tools/editor/editor_proof.h"

#include <algorithm>
#include <cstdio>

void TEditorProof::StartOrStop(const TLevelRecord& level) {
  if (status_.Running) {
    prover_.Stop();
    status_ = prover_.Status();
    return;
  }
  proved_ = level;
  started_ = prover_.Start(proved_);
  status_ = prover_.Status();
}

void TEditorProof::Poll(int32_t levelNo) {
  status_ = prover_.Status();
  if (status_.Running) return;
  Report(levelNo);
  const auto& r = status_.Results;
  std::string error;
  if (std::all_of(r.begin(), r.end(), [](const TProofResult& d) { return d.Won; }) &&
      !log_.Add(proved_, &error))
    std::fprintf(stderr, "tarvelle-editor: cannot keep the proof: %s\n", error.c_str());
}

// The proof's results on the standard output too, for the record of a session.
void TEditorProof::Report(int32_t levelNo) const {
  for (const TProofResult& r : status_.Results) {
    if (!r.Done) continue;
    std::printf("level %d, difficulty %d: %s", levelNo, r.Difficulty,
                r.Won ? "won" : "no win found");
    if (r.Won) std::printf(", %d s left, energy %d", r.TimeLeft, r.Energy);
    std::printf("\n");
  }
  if (status_.Stopped) std::printf("level %d: proof stopped\n", levelNo);
  std::fflush(stdout);
}
