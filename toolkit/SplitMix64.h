#pragma once

#include <cstdint>

namespace korvane::toolkit {

// A small, fast generator of 64 random bits a call (SplitMix64: a Weyl sequence through a
// 64-bit mixer). Its output passes the common statistical test batteries, which is more than
// picking tiles needs, at a fraction of the Mersenne Twister's cost per number: a flood fill
// draws one number for each of millions of cells.
class SplitMix64 {
 public:
  explicit SplitMix64(uint64_t seed = 0) : state_(seed) {}
  void Seed(uint64_t seed) { state_ = seed; }
  uint64_t operator()() {
    uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1): the top 24 bits over 2^24, so every value is exact in a float and below 1.
  float NextUnitFloat() { return static_cast<float>((*this)() >> 40) / 16777216.0f; }

 private:
  uint64_t state_;
};

}  // namespace korvane::toolkit
