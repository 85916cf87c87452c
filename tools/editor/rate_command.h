#pragma once
#include <cstdint>
#include <string>

// The program the editor starts for a win rate (`tarvelle-editor --rate D FILE`): plays level 1
// of file ("-": the record on standard input) with the casual profile at difficulty, writing
// "progress DONE TOTAL" lines and one "result PLAYED WON TIMELEFT ENERGY LOSS" line (LOSS: the
// commonest way to lose, "none" without losses). Returns the exit status.
int RunRateCommand(int32_t difficulty, const std::string& file);
