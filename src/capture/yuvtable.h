#pragma once

#include <cstdint>

// The YUY2 conversion table: red, green and blue for every Y, V, U, indexed [Y][V][U] (48 MiB),
// built once and kept until the program ends.
struct YuvTable {
  uint8_t r[256][256][256];
  uint8_t g[256][256][256];
  uint8_t b[256][256][256];
};

// Null until the first 16-bit YUY2 format is found.
extern YuvTable* yuvTable;

// Builds yuvTable when it does not exist yet.
void BuildYuvTable();

// Computes every entry of table (what BuildYuvTable does once).
void FillYuvTable(YuvTable& table);

// One entry as the table holds it: computed in extended precision, truncated toward zero,
// reflected when negative, 255 at most.
uint8_t YuvComponent(long double value);
