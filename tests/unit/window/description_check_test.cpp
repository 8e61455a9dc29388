// The start-up check of the stored window description, on buffers: the CRC-32 is
// stored as four little-endian bytes, and any change to either side is refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "installer/DescriptionCheck.h"
#include "storage/Crc32.h"
#include "tests/unit/support/TestBytes.h"

#ifdef _WIN32
#include "system/winapi.h"
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

bool Matches(const Bytes& description, const Bytes& crc) {
  return DescriptionMatchesCrc(description.data(), description.size(), crc.data(), crc.size());
}

// One bit at a time, straight from the polynomial: what the table-driven CRC must equal.
std::uint32_t ReferenceCrc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1u) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
  }
  return ~crc;
}

// A description-like buffer: the header, then a few thousand varied bytes, long
// enough for the eight-byte steps of the CRC and an odd tail.
Bytes SampleDescription() {
  Bytes bytes{'H', 'V', 'W', 'D', 1, 0, 0, 0, 15, 0, 0, 0};
  std::uint32_t state = 12345;
  for (int i = 0; i < 5003; ++i) {
    state = state * 1103515245u + 12345u;
    bytes.push_back(static_cast<std::uint8_t>(state >> 16));
  }
  return bytes;
}

TEST(DescriptionCheck, AcceptsTheCrcStoredLittleEndian) {
  const std::string text = "123456789";  // the CRC-32 check value: 0xCBF43926
  const Bytes bytes(text.begin(), text.end());
  EXPECT_TRUE(Matches(bytes, Le32(0xCBF43926u)));
  EXPECT_FALSE(Matches(bytes, {0xCB, 0xF4, 0x39, 0x26}));  // big-endian is not the stored layout
  EXPECT_TRUE(Matches({}, Le32(0)));                       // CRC-32 of nothing
}

TEST(DescriptionCheck, RefusesEveryFlippedByteOfTheDescriptionOrOfTheCrc) {
  const Bytes description = SampleDescription();
  const Bytes crc = Le32(ReferenceCrc32(description.data(), description.size()));
  ASSERT_TRUE(Matches(description, crc));

  for (std::size_t at = 0; at < description.size(); ++at) {
    Bytes damaged = description;
    damaged[at] ^= static_cast<std::uint8_t>(1u << (at % 8));
    ASSERT_FALSE(Matches(damaged, crc)) << "flipped bit in byte " << at;
  }
  for (std::size_t at = 0; at < crc.size(); ++at) {
    Bytes damaged = crc;
    damaged[at] ^= 0x80;
    EXPECT_FALSE(Matches(description, damaged)) << "flipped CRC byte " << at;
  }
}

TEST(DescriptionCheck, RefusesACutOffDescriptionAndAStoredCrcOfAnotherLength) {
  const Bytes description = SampleDescription();
  const Bytes crc = Le32(ReferenceCrc32(description.data(), description.size()));
  EXPECT_FALSE(Matches(Bytes(description.begin(), description.end() - 1), crc));
  EXPECT_FALSE(Matches(Bytes(description.begin(), description.begin() + 4096), crc));

  Bytes longer = crc;
  longer.push_back(0);
  EXPECT_FALSE(Matches(description, longer));
  EXPECT_FALSE(Matches(description, Bytes(crc.begin(), crc.begin() + 3)));
  EXPECT_FALSE(Matches(description, {}));
}

// The size of a page; `readable` bytes of fresh pages followed by a page that faults
// on any access (null when the platform refuses).
#ifdef _WIN32
std::size_t PageSize() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  return system.dwPageSize;
}
std::uint8_t* MapBeforeAGuardPage(std::size_t readable, std::size_t page) {
  auto* const base = static_cast<std::uint8_t*>(
      VirtualAlloc(nullptr, readable + page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  DWORD previous = 0;
  if (base && VirtualProtect(base + readable, page, PAGE_NOACCESS, &previous)) return base;
  if (base) VirtualFree(base, 0, MEM_RELEASE);
  return nullptr;
}
void Unmap(std::uint8_t* base, std::size_t) {
  VirtualFree(base, 0, MEM_RELEASE);
}
#else
std::size_t PageSize() {
  return static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}
std::uint8_t* MapBeforeAGuardPage(std::size_t readable, std::size_t page) {
  void* const base =
      mmap(nullptr, readable + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base == MAP_FAILED) return nullptr;
  if (mprotect(static_cast<std::uint8_t*>(base) + readable, page, PROT_NONE) == 0) {
    return static_cast<std::uint8_t*>(base);
  }
  munmap(base, readable + page);
  return nullptr;
}
void Unmap(std::uint8_t* base, std::size_t size) {
  munmap(base, size);
}
#endif

// Room for bytes that end exactly where an unreadable page begins: a read past the
// last byte faults at once, in the Windows build as in the native one, without a
// sanitizer.
class BytesBeforeAGuardPage {
 public:
  explicit BytesBeforeAGuardPage(std::size_t room)
      : page_(PageSize()),
        readable_((room + page_ - 1) / page_ * page_),
        base_(MapBeforeAGuardPage(readable_, page_)) {}
  ~BytesBeforeAGuardPage() {
    if (base_) Unmap(base_, readable_ + page_);
  }
  BytesBeforeAGuardPage(const BytesBeforeAGuardPage&) = delete;
  BytesBeforeAGuardPage& operator=(const BytesBeforeAGuardPage&) = delete;

  bool Ready() const { return base_ != nullptr; }
  std::uint8_t* End() const { return base_ + readable_; }

 private:
  const std::size_t page_;
  const std::size_t readable_;
  std::uint8_t* const base_;
};

// Where the processor multiplies carry-less (and under Wine it is the host's processor)
// Crc32 folds 64 bytes and more; the tables finish every tail and take the rest.
TEST(DescriptionCheck, BothCrcPathsEqualTheBitwiseOneAtEveryLengthAndAlignment) {
  constexpr std::size_t kLongest = 320;    // five folding steps, with every tail
  constexpr std::size_t kAlignments = 16;  // the width of a folded lane
  const Bytes sample = SampleDescription();
  const BytesBeforeAGuardPage guarded(kLongest + kAlignments);
  ASSERT_TRUE(guarded.Ready());
  for (std::size_t size = 0; size <= kLongest; ++size) {
    for (std::size_t slack = 0; slack < kAlignments; ++slack) {
      // Every start alignment once per length; with no slack the last byte lies against
      // the unreadable page.
      std::uint8_t* const data = guarded.End() - slack - size;
      std::memcpy(data, sample.data() + size, size);
      const std::uint32_t expected = ReferenceCrc32(data, size);
      ASSERT_EQ(Crc32(data, size), expected) << "size " << size << ", slack " << slack;
      ASSERT_EQ(Crc32ByTable(data, size), expected) << "size " << size << ", slack " << slack;
    }
  }
  // Continuing a running CRC gives the CRC of the whole.
  const std::uint32_t first = Crc32(sample.data(), 1001);
  EXPECT_EQ(Crc32(sample.data() + 1001, sample.size() - 1001, first),
            ReferenceCrc32(sample.data(), sample.size()));
}

}  // namespace
