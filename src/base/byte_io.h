// Little-endian fields in byte buffers, the order every file of the engine and
// the forge keeps whatever the host's: access at a place, appending to a
// growing buffer, and a reader that steps through a record and never past it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

inline uint16_t get_u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline int16_t get_i16(const uint8_t* p) { return static_cast<int16_t>(get_u16(p)); }

inline uint32_t get_u32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline int32_t get_i32(const uint8_t* p) { return static_cast<int32_t>(get_u32(p)); }

inline float get_f32(const uint8_t* p) {
  const uint32_t bits = get_u32(p);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

inline void put_u16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
inline void put_i16(uint8_t* p, int16_t v) { put_u16(p, static_cast<uint16_t>(v)); }

inline void put_u32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}
inline void put_i32(uint8_t* p, int32_t v) { put_u32(p, static_cast<uint32_t>(v)); }

inline void put_f32(uint8_t* p, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  put_u32(p, bits);
}

// Writers that build a whole file in memory add field after field.
inline uint8_t* append_room(std::vector<uint8_t>& out, size_t count) {
  out.resize(out.size() + count);
  return out.data() + out.size() - count;
}
inline void append_u16(std::vector<uint8_t>& out, uint16_t v) { put_u16(append_room(out, 2), v); }
inline void append_i16(std::vector<uint8_t>& out, int16_t v) { put_i16(append_room(out, 2), v); }
inline void append_u32(std::vector<uint8_t>& out, uint32_t v) { put_u32(append_room(out, 4), v); }
inline void append_i32(std::vector<uint8_t>& out, int32_t v) { put_i32(append_room(out, 4), v); }
inline void append_f32(std::vector<uint8_t>& out, float v) { put_f32(append_room(out, 4), v); }

// Reads fields one after another from `size` bytes, so a decoder names the
// fields of a record in order instead of their offsets. A read that would run
// past the end takes nothing and gives 0 (take gives null): a record shorter
// than its decoder expects is never read outside its span.
class byte_reader {
 public:
  byte_reader(const uint8_t* bytes, size_t size) : at_(bytes), left_(size) {}

  // The next `count` bytes as they stand.
  const uint8_t* take(size_t count) {
    if (count > left_) return nullptr;
    const uint8_t* p = at_;
    at_ += count;
    left_ -= count;
    return p;
  }
  int16_t i16() {
    const uint8_t* p = take(2);
    return p ? get_i16(p) : 0;
  }
  uint32_t u32() {
    const uint8_t* p = take(4);
    return p ? get_u32(p) : 0;
  }
  int32_t i32() { return static_cast<int32_t>(u32()); }
  float f32() {
    const uint8_t* p = take(4);
    return p ? get_f32(p) : 0.0f;
  }

 private:
  const uint8_t* at_;
  size_t left_;
};
