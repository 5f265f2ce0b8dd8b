#include "capture/yuvtable.h"

#include <cstring>

YuvTable* yuvTable = nullptr;

uint8_t YuvComponent(long double value) {
  long long whole = static_cast<long long>(value);  // truncation toward zero
  if (whole < 0) whole = -whole;
  return static_cast<uint8_t>(whole >= 255 ? 255 : whole);
}

void BuildYuvTable() {
  if (yuvTable) return;
  auto* table = new YuvTable;
  FillYuvTable(*table);
  yuvTable = table;
}

void FillYuvTable(YuvTable& table) {
  // R depends on Y and V only, B on Y and U only: each is worked out once and copied along the
  // index it does not depend on. G needs every Y, V, U.
  uint8_t blueOfU[256];
  for (int y = 0; y < 256; ++y) {
    for (int u = 0; u < 256; ++u) blueOfU[u] = YuvComponent(y + 1.732L * (u - 128));
    for (int v = 0; v < 256; ++v) {
      std::memset(table.r[y][v], YuvComponent(y + 1.371L * (v - 128)), 256);
      std::memcpy(table.b[y][v], blueOfU, 256);
      const long double greenOfV = y - 0.698L * (v - 128);
      for (int u = 0; u < 256; ++u) table.g[y][v][u] = YuvComponent(greenOfV - 0.336L * (u - 128));
    }
  }
}
