#include "common/rng.h"

namespace {
uint64_t mix64(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}
}  // namespace

uint32_t hash32(uint32_t seed, int32_t a, int32_t b, int32_t c) {
  uint64_t z = mix64(seed + 0x9e3779b97f4a7c15ull);
  z = mix64(z ^ uint32_t(a));
  z = mix64(z ^ (uint64_t(uint32_t(b)) << 32));
  z = mix64(z ^ uint32_t(c) * 0x85ebca6bull);
  return uint32_t(z >> 32);
}

float hash_unit(uint32_t seed, int32_t a, int32_t b, int32_t c) {
  return float(hash32(seed, a, b, c) >> 8) * (1.0f / 16777216.0f);
}

uint32_t forge_rng::next() {
  state_ += 0x9e3779b97f4a7c15ull;
  return uint32_t(mix64(state_) >> 32);
}

float forge_rng::unit() { return float(next() >> 8) * (1.0f / 16777216.0f); }

float forge_rng::range(float lo, float hi) { return lo + (hi - lo) * unit(); }
