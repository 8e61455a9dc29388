// A small deterministic generator (splitmix64), the one source of made-up bytes: the
// stand-in payload must come out the same on every machine and compiler, which the
// standard distributions do not promise, and the benchmark's and the tests' inputs
// then do too. payloadgen's output rests on every value it gives: change nothing here
// that changes a sequence.
#pragma once

#include <cstdint>
#include <string>

class DeterministicRandom {
 public:
  explicit DeterministicRandom(std::uint64_t seed) : state_(seed) {}

  // Seeded from a text (FNV-1a), so that each stored file gets its own stream.
  static DeterministicRandom ForName(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ull;
    }
    return DeterministicRandom(hash);
  }

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A value from 0 to bound - 1 (bound > 0; the slight bias does not matter here).
  std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }
  std::uint32_t Between(std::uint32_t low, std::uint32_t high) {
    return low + Below(high - low + 1);
  }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(Next() >> 56); }
  bool Percent(std::uint32_t chance) { return Below(100) < chance; }

 private:
  std::uint64_t state_;
};
