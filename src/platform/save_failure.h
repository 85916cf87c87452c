#pragma once
#include <string>

// A save that failed is told to the player, never lost without a word: on standard error
// always, and in a message box where the program installed one (the game: on Windows standard
// error is seen by no one). Headless programs and the tests install none, so a failed save
// never waits there on a box that no one can click away.
namespace files {

// "cannot save the high scores (PATH: Permission denied)". The same message again in one run
// goes to standard error only.
void ReportSaveFailure(const std::string& message);

using TShowSaveFailure = void (*)(const std::string& message);
// Shows a failed save to the player (nullptr: standard error alone).
void SetShowSaveFailure(TShowSaveFailure show);

}  // namespace files
