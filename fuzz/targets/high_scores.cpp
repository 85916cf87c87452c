// The high-score file: any bytes give a table of ten rows with names of at most 12
// characters; a file that reads is written back byte for byte, and a saved table reads back.
#include "front/high_scores.h"

#include <algorithm>
#include <filesystem>

#include "front/screen_calls.h"
#include "fuzz/fuzz_target.h"
#include "platform/paths.h"

TARVELLE_FUZZ_TARGET(high_scores) {
  paths::OverrideHome(fuzz::ScratchFolder() + "scores-home");
  ForgetHighScores();
  const std::string file = HighScoreFile();
  std::error_code ec;
  std::filesystem::remove(file + ".bad", ec);
  fuzz::WriteFile(file, data, size);

  LoadHighScores();
  for (const THighScoreEntry& e : HighScores) fuzz::Check(e.Length <= 12, "name too long");
  THighScores decoded;
  const std::string bytes(fuzz::Text(data, size));
  if (DecodeHighScores(bytes, decoded)) {
    fuzz::Check(EncodeHighScores(HighScores) == bytes.substr(0, kHighScoreFileSize),
                "the table does not write back as it was read");
  } else {
    fuzz::Check(EncodeHighScores(HighScores) == EncodeHighScores(THighScores{}),
                "a damaged file left rows behind");
  }

  const int32_t rank = ScoreRank(123456);
  fuzz::Check(rank >= 0 && rank <= kHighScoreCount, "rank out of range");
  InsertHighScore(rank, 123456);
  HighScores[std::max(rank, 1) - 1].SetName("Fuzz");
  const std::string saved = EncodeHighScores(HighScores);
  fuzz::Check(SaveHighScores(), "cannot save the table");
  ForgetHighScores();
  LoadHighScores();
  fuzz::Check(EncodeHighScores(HighScores) == saved, "the saved table reads back otherwise");
  ForgetHighScores();
  paths::OverrideHome("");
}
