#pragma once

// What level construction asks of the effects, besides the playfield picture (DrawPlayfield,
// screen_calls.h).

// Stops the falling caption ("Hungry").
void StopFallingCaption();
// Makes all twenty score pop-ups inactive.
void ResetScorePopups();
