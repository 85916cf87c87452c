#pragma once
#include <cstdint>
#include <string>

class TDXImageList;
class TSurface;

// The play picture and its pieces.

// The playfield picture (flips the display).
void DrawPlayfield();

// The pixel value of a colour on the display's drawing surface.
uint32_t ToSurfaceColor(uint8_t r, uint8_t g, uint8_t b);
// Loads the water pictures at start: entry 0 of the pack into Water1 and, only if that
// worked, entry 1 into Water2. Any error stops the loading silently. When Water1 was loaded,
// sets G.WaterLoaded and restores Water1, Water2, LevScr and LevScr0. Returns G.WaterLoaded.
bool LoadWaterPictures(TDXImageList& imageList, const std::string& packPath);
// The same with the pack "TvFree.dat" in the program's folder.
bool LoadWaterPictures(TDXImageList& imageList);

// The animated water from the picture pack, or a plain fill without it.
void DrawWater();
// The water picture DrawWater lays at this moment, or none for the plain fill.
const TSurface* WaterPicture();
// The pad of one cell at its current size, or the splash of one that just went under.
void DrawPads(int32_t x, int32_t y);
// Every cell's pad, column by column.
void DrawAllPads();
// Pattern 0 of the named picture, centred over the playfield.
void DrawCentred(const char* name);

// The status line along the bottom: level, lives with the energy heart, time, score.
void DrawHud();
void DrawHudIcon(int32_t x, const char* name);
// value as exactly `digits` decimal digits of "Numz", leading zeros drawn, higher digits dropped.
void DrawNumber(int32_t value, int32_t digits, int32_t x);

// Whether DrawPlayfield draws. The player bot turns the pictures off: the actors still move,
// collide and appear exactly as on screen, only nothing is drawn.
void SetPlayfieldPictures(bool on);
