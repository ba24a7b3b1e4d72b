// The forge's own randomness: the same seed gives the same bytes on every
// machine and every run (the C library's rand() promises neither).
#pragma once
#include <cstdint>

// Mixes up to three integers with a seed into 32 well-spread bits.
uint32_t hash32(uint32_t seed, int32_t a, int32_t b = 0, int32_t c = 0);
// hash32 as a float in [0, 1).
float hash_unit(uint32_t seed, int32_t a, int32_t b = 0, int32_t c = 0);

// A small sequential generator (splitmix64).
class forge_rng {
 public:
  explicit forge_rng(uint64_t seed) : state_(seed) {}
  uint32_t next();
  float unit();                        // [0, 1)
  float range(float lo, float hi);     // [lo, hi)
  float signed_unit() { return range(-1.0f, 1.0f); }

 private:
  uint64_t state_;
};
