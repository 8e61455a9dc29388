#include "storage/Crc32.h"

#include <array>
#include <cstring>

#if (defined(__i386__) || defined(__x86_64__)) && (defined(__GNUC__) || defined(__clang__))
#define HV_CRC32_CARRYLESS 1
#include <cpuid.h>
#include <immintrin.h>
#endif

namespace {

// Slicing by sixteen: sixteen tables, sixteen bytes a step. The whole 20 MB
// description is checked at every start, so the byte-at-a-time loop would cost too
// much; sixteen tables (16 KB) still sit in the first-level cache.
constexpr std::size_t kSlices = 16;
using Tables = std::array<std::array<std::uint32_t, 256>, kSlices>;

Tables MakeTables() {
  Tables tables{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t crc = i;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    tables[0][i] = crc;
  }
  for (std::size_t t = 1; t < kSlices; ++t) {
    for (std::size_t i = 0; i < 256; ++i) {
      tables[t][i] = (tables[t - 1][i] >> 8) ^ tables[0][tables[t - 1][i] & 0xFF];
    }
  }
  return tables;
}

const Tables& CrcTables() {
  static const Tables tables = MakeTables();
  return tables;
}

// The register without the initial and final inversions, so that passes can be chained.
std::uint32_t RawCrc32(const std::uint8_t* p, std::size_t size, std::uint32_t crc) {
  const Tables& t = CrcTables();
  while (size >= 16) {
    std::uint32_t w[4];
    std::memcpy(w, p, 16);
    // The tables assume little-endian words, as on every machine the installer runs on.
    w[0] ^= crc;
    crc = t[15][w[0] & 0xFF] ^ t[14][(w[0] >> 8) & 0xFF] ^ t[13][(w[0] >> 16) & 0xFF] ^
          t[12][w[0] >> 24] ^ t[11][w[1] & 0xFF] ^ t[10][(w[1] >> 8) & 0xFF] ^
          t[9][(w[1] >> 16) & 0xFF] ^ t[8][w[1] >> 24] ^ t[7][w[2] & 0xFF] ^
          t[6][(w[2] >> 8) & 0xFF] ^ t[5][(w[2] >> 16) & 0xFF] ^ t[4][w[2] >> 24] ^
          t[3][w[3] & 0xFF] ^ t[2][(w[3] >> 8) & 0xFF] ^ t[1][(w[3] >> 16) & 0xFF] ^
          t[0][w[3] >> 24];
    p += 16;
    size -= 16;
  }
  while (size--) crc = (crc >> 8) ^ t[0][(crc ^ *p++) & 0xFF];
  return crc;
}

#ifdef HV_CRC32_CARRYLESS

// Folding with carry-less multiplication: even slicing by sixteen runs at under 3 GB/s
// and the whole description is checked before the first window, while a processor with
// PCLMULQDQ folds 64 bytes a step. 128-bit lanes hold bit-reflected polynomials (bit k
// of a lane is the coefficient of x^(127-k)); a lane that lies `distance` bits ahead of
// another is multiplied by x^distance modulo the polynomial and added into it, which
// keeps the message's remainder. Sixteen bytes whose remainder is the message's are
// left, and the table finishes them.

constexpr std::uint64_t kPolynomial = 0x104C11DB7ull;  // the unreflected form of 0xEDB88320

// x^n mod P, as a polynomial of degree below 32 (bit e is the coefficient of x^e).
constexpr std::uint32_t XPowerModP(unsigned n) {
  std::uint64_t r = 1;
  for (unsigned i = 0; i < n; ++i) {
    r <<= 1;
    if (r & (1ull << 32)) r ^= kPolynomial;
  }
  return static_cast<std::uint32_t>(r);
}

// The 64-bit operand of PCLMULQDQ for a polynomial of degree below 32: bit m stands
// for x^(63-m), as in the lanes.
constexpr std::uint64_t Reflected64(std::uint32_t poly) {
  std::uint64_t r = 0;
  for (int e = 0; e < 32; ++e) {
    if (poly & (1u << e)) r |= 1ull << (63 - e);
  }
  return r;
}

// The product of two reflected 64-bit operands lands in the lane one degree up, so
// for the lane half of weight x^64 the constant is x^(distance+63) and for the other
// x^(distance-1).
struct FoldConstants {
  std::uint64_t high;  // multiplies the lane's low quadword (the higher degrees)
  std::uint64_t low;   // multiplies its high quadword
};
constexpr FoldConstants FoldBy(unsigned distance) {
  return {Reflected64(XPowerModP(distance + 63)), Reflected64(XPowerModP(distance - 1))};
}
constexpr FoldConstants kFold512 = FoldBy(512);
constexpr FoldConstants kFold128 = FoldBy(128);

__attribute__((target("sse2,pclmul"))) inline __m128i Fold(__m128i lane, __m128i next,
                                                           __m128i constants) {
  // constants: the low quadword multiplies the lane's low quadword, the high one its high.
  const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x00);
  const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x11);
  return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

__attribute__((target("sse2,pclmul"))) inline __m128i Load(const std::uint8_t* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}

__attribute__((target("sse2,pclmul"))) inline __m128i Constants(FoldConstants k) {
  return _mm_set_epi64x(static_cast<long long>(k.low), static_cast<long long>(k.high));
}

// 32-bit Windows promises callers only a 4-byte aligned stack, while spilled 128-bit
// lanes need 16: the function realigns its own frame.
#if defined(__i386__)
#define HV_ALIGN_STACK __attribute__((force_align_arg_pointer))
#else
#define HV_ALIGN_STACK
#endif

// Needs size >= 64; returns the register after the whole multiple of 16 bytes, the
// rest is the caller's.
HV_ALIGN_STACK __attribute__((target("sse2,pclmul"))) std::uint32_t CarrylessCrc32(
    const std::uint8_t* p, std::size_t blocks16, std::uint32_t crc) {
  __m128i x0 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(crc)));
  __m128i x1 = Load(p + 16);
  __m128i x2 = Load(p + 32);
  __m128i x3 = Load(p + 48);
  p += 64;
  blocks16 -= 4;
  const __m128i by512 = Constants(kFold512);
  while (blocks16 >= 4) {
    x0 = Fold(x0, Load(p), by512);
    x1 = Fold(x1, Load(p + 16), by512);
    x2 = Fold(x2, Load(p + 32), by512);
    x3 = Fold(x3, Load(p + 48), by512);
    p += 64;
    blocks16 -= 4;
  }
  const __m128i by128 = Constants(kFold128);
  __m128i x = Fold(Fold(Fold(x0, x1, by128), x2, by128), x3, by128);
  for (; blocks16 != 0; --blocks16, p += 16) x = Fold(x, Load(p), by128);
  std::uint8_t rest[16];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(rest), x);
  return RawCrc32(rest, sizeof rest, 0);
}

bool HasCarrylessMultiply() {
  static const bool has = [] {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    return (ecx & bit_PCLMUL) != 0 && (edx & bit_SSE2) != 0;
  }();
  return has;
}

#endif  // HV_CRC32_CARRYLESS

}  // namespace

std::uint32_t Crc32(const void* data, std::size_t size, std::uint32_t crc) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  crc = ~crc;
#ifdef HV_CRC32_CARRYLESS
  if (size >= 64 && HasCarrylessMultiply()) {
    const std::size_t folded = size & ~std::size_t{15};
    crc = CarrylessCrc32(p, folded / 16, crc);
    p += folded;
    size -= folded;
  }
#endif
  return ~RawCrc32(p, size, crc);
}

std::uint32_t Crc32ByTable(const void* data, std::size_t size, std::uint32_t crc) {
  return ~RawCrc32(static_cast<const std::uint8_t*>(data), size, ~crc);
}
