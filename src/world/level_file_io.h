// Small helpers shared by the level file readers and writers: the files of a
// level share one base path, and their numbers are little-endian whatever the
// host is.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>

// Room for a 255-character base path and the longest suffix (".pack").
constexpr size_t level_file_path_capacity = 256 + 8;

// base + suffix; false when the result would not fit (the file is then treated
// as one that cannot be opened, never as a cut-off path to some other file).
inline bool level_file_path(char (&out)[level_file_path_capacity], const char* base,
                            const char* suffix) {
  int n = std::snprintf(out, sizeof out, "%s%s", base, suffix);
  return n >= 0 && static_cast<size_t>(n) < sizeof out;
}

inline uint32_t le32_get(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline void le32_put(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}

inline int32_t le32_get_int(const uint8_t* p) { return static_cast<int32_t>(le32_get(p)); }

inline float le32_get_float(const uint8_t* p) {
  uint32_t bits = le32_get(p);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

inline void le32_put_float(uint8_t* p, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  le32_put(p, bits);
}
