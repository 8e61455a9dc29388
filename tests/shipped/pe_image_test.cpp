// The PE reader and the shipped-file checks on a small image made here, in both
// layouts: what it reads, that a file cut short anywhere gives an error or the whole
// file's answer (never a read past its end), and that the checks object to a file of
// the other machine and to a certificate table that does not end the file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ShippedFileChecks.h"
#include "tests/unit/support/PeImage.h"
#include "tests/unit/support/TestBytes.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

struct Layout {
  const char* name;
  std::uint16_t machine;
  std::uint16_t magic;
  std::size_t optionalHeaderSize;
  std::size_t directoriesAt;  // in the optional header
  friend void PrintTo(const Layout& layout, std::ostream* out) { *out << layout.name; }
};
const Layout kPe32{"Pe32", kPeMachineI386, 0x10B, 224, 96};
const Layout kPe32Plus{"Pe32Plus", kPeMachineAmd64, 0x20B, 240, 112};

constexpr std::uint32_t kTimeStamp = 0x5EED0001;
constexpr std::uint32_t kSectionAddress = 0x1000;
constexpr std::size_t kSectionAt = 0x200;
constexpr std::size_t kSectionSize = 0x200;
constexpr std::size_t kResourcesAt = 0x60;  // in the section
constexpr std::size_t kResourcesSize = 0xC8;
constexpr std::size_t kCertificatesAt = 0x400;
constexpr std::size_t kCertificatesSize = 24;
constexpr std::uint32_t kTable = 0x80000000u;  // a resource entry's high bit: table, or name
// DER: SEQUENCE { OID 1.2.840.113549.1.7.2 (PKCS#7 signed data), [0] {} }
const Bytes kSignedData = {0x30, 0x0D, 0x06, 0x09, 0x2A, 0x86, 0x48, 0x86,
                           0xF7, 0x0D, 0x01, 0x07, 0x02, 0xA0, 0x00};

// One section at 0x1000 holding two import descriptors with their names and a resource
// tree (RCDATA "Data" = "hello", manifest #1 = "<assembly/>"), then a certificate table.
Bytes SmallImageBytes(const Layout& layout) {
  Bytes file(kCertificatesAt + kCertificatesSize);
  const auto u16 = [&file](std::size_t at, std::size_t value) { StoreLe16(&file[at], value); };
  const auto u32 = [&file](std::size_t at, std::uint32_t value) { StoreLe32(&file[at], value); };
  const auto put = [&file](std::size_t at, const std::string& text) {
    std::copy(text.begin(), text.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
  };
  const auto rva = [](std::size_t inSection) {
    return static_cast<std::uint32_t>(kSectionAddress + inSection);
  };

  put(0, "MZ");
  u32(0x3C, 0x40);
  put(0x40, std::string("PE\0\0", 4));
  u16(0x44, layout.machine);
  u16(0x46, 1);  // sections
  u32(0x48, kTimeStamp);
  u16(0x54, layout.optionalHeaderSize);
  const std::size_t optional = 0x58;
  u16(optional, layout.magic);
  u16(optional + 68, kPeSubsystemWindowsGui);
  u32(optional + layout.directoriesAt - 4, 16);
  const auto directory = [&](std::size_t index, std::uint32_t address, std::size_t size) {
    u32(optional + layout.directoriesAt + 8 * index, address);
    u32(optional + layout.directoriesAt + 8 * index + 4, static_cast<std::uint32_t>(size));
  };
  directory(1, rva(0), 60);
  directory(2, rva(kResourcesAt), kResourcesSize);
  directory(4, kCertificatesAt, kCertificatesSize);
  const std::size_t section = optional + layout.optionalHeaderSize;
  put(section, ".rdata");
  u32(section + 8, kSectionSize);
  u32(section + 12, kSectionAddress);
  u32(section + 16, kSectionSize);
  u32(section + 20, kSectionAt);

  // Two import descriptors, then the empty one that ends them.
  u32(kSectionAt + 12, rva(0x40));
  put(kSectionAt + 0x40, "KERNEL32.dll");
  u32(kSectionAt + 20 + 12, rva(0x50));
  put(kSectionAt + 0x50, "USER32.dll");

  // Type, name and language tables, the data entries, the name and the data.
  const std::size_t r = kSectionAt + kResourcesAt;
  const auto table = [&](std::size_t at, std::size_t named, std::size_t numbered) {
    u16(r + at + 12, named);
    u16(r + at + 14, numbered);
  };
  const auto entry = [&](std::size_t at, std::uint32_t key, std::uint32_t value) {
    u32(r + at, key);
    u32(r + at + 4, value);
  };
  const auto data = [&](std::size_t at, std::size_t bytesAt, const std::string& bytes) {
    u32(r + at, rva(kResourcesAt + bytesAt));
    u32(r + at + 4, static_cast<std::uint32_t>(bytes.size()));
    put(r + bytesAt, bytes);
  };
  table(0x00, 0, 2);
  entry(0x10, kPeResourceRcData, kTable | 0x20);
  entry(0x18, kPeResourceManifest, kTable | 0x38);
  table(0x20, 1, 0);
  entry(0x30, kTable | 0xA0, kTable | 0x50);
  table(0x38, 0, 1);
  entry(0x48, 1, kTable | 0x68);
  table(0x50, 0, 1);
  entry(0x60, 0x409, 0x80);
  table(0x68, 0, 1);
  entry(0x78, 0x409, 0x90);
  data(0x80, 0xB0, "hello");
  data(0x90, 0xB8, "<assembly/>");
  const std::string name = "Data";
  u16(r + 0xA0, name.size());
  for (std::size_t i = 0; i < name.size(); ++i)
    u16(r + 0xA2 + 2 * i, static_cast<std::size_t>(name[i]));

  u32(kCertificatesAt, static_cast<std::uint32_t>(8 + kSignedData.size()));
  u16(kCertificatesAt + 4, kPeCertificateRevision2);
  u16(kCertificatesAt + 6, kPeCertificatePkcsSignedData);
  std::copy(kSignedData.begin(), kSignedData.end(), file.begin() + kCertificatesAt + 8);
  return file;
}

std::string Text(const std::optional<Bytes>& bytes) {
  return bytes ? std::string(bytes->begin(), bytes->end()) : "(none)";
}

std::string Describe(const PeCertificateTable& table) {
  std::string text = std::to_string(table.range.offset) + "+" + std::to_string(table.range.size);
  for (const PeCertificate& c : table.certificates) {
    text += " " + PeHex(c.revision) + "/" + PeHex(c.type) + " " + std::to_string(c.content.offset) +
            "+" + std::to_string(c.content.size);
  }
  return text;
}

// What the reader makes of a file, query by query, "error" where one throws
// EPeFormatError; empty when the headers themselves do.
std::vector<std::string> Answers(const Bytes& file) {
  std::unique_ptr<PeImage> image;
  try {
    image = std::make_unique<PeImage>(file);
  } catch (const EPeFormatError&) {
    return {};
  }
  const auto answer = [](const std::function<std::string()>& query) {
    try {
      return query();
    } catch (const EPeFormatError&) {
      return std::string("error");
    }
  };
  return {
      PeHex(image->Machine()) + " " + PeHex(image->TimeStamp()) + " " + PeHex(image->Subsystem()),
      answer([&] {
        std::string names;
        for (const std::string& dll : image->ImportedDlls()) names += dll + " ";
        return names;
      }),
      answer([&] { return Text(image->Resource(kPeResourceRcData, "DATA")); }),
      answer([&] { return Text(image->Resource(kPeResourceManifest, 1)); }),
      answer([&] { return Describe(*image->CertificateTable()); }),
  };
}

class SmallImage : public testing::TestWithParam<Layout> {};

TEST_P(SmallImage, ReadsHeadersImportsResourcesAndTheCertificateTable) {
  const Bytes file = SmallImageBytes(GetParam());
  const PeImage image(file);
  EXPECT_EQ(image.Machine(), GetParam().machine);
  EXPECT_EQ(image.IsPe32Plus(), GetParam().magic == 0x20B);
  EXPECT_EQ(image.TimeStamp(), kTimeStamp);
  EXPECT_EQ(image.Subsystem(), kPeSubsystemWindowsGui);
  ASSERT_EQ(image.Sections().size(), 1u);
  EXPECT_EQ(image.Sections()[0].name, ".rdata");
  EXPECT_EQ(image.FileOffset(kSectionAddress + 0x1FF, 1, "the last byte"), kSectionAt + 0x1FF);
  EXPECT_THROW(image.FileOffset(kSectionAddress + 0x1FF, 2, "two bytes"), EPeFormatError);

  EXPECT_THAT(image.ImportedDlls(), ElementsAre("KERNEL32.dll", "USER32.dll"));
  // Names match ignoring case, as Windows matches them; a number never matches a name.
  EXPECT_EQ(Text(image.Resource(kPeResourceRcData, "DATA")), "hello");
  EXPECT_EQ(Text(image.Resource(kPeResourceManifest, 1)), "<assembly/>");
  EXPECT_FALSE(image.Resource(kPeResourceRcData, "DATA2"));
  EXPECT_FALSE(image.Resource(kPeResourceRcData, 1));
  EXPECT_FALSE(image.Resource(kPeResourceVersion, 1));

  const auto table = image.CertificateTable();
  ASSERT_TRUE(table);
  EXPECT_EQ(Describe(*table), "1024+24 0x200/0x2 1032+15");
}

TEST_P(SmallImage, EveryPrefixGivesAnErrorOrTheWholeFilesAnswer) {
  const Bytes whole = SmallImageBytes(GetParam());
  const std::vector<std::string> answers = Answers(whole);
  ASSERT_THAT(answers, testing::Not(testing::Contains("error")));
  std::size_t prefixesWithAnswers = 0;
  for (std::size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    // A copy of its own size, so that a read past its end is a read past the buffer.
    const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    const std::vector<std::string> partial = Answers(prefix);
    if (!partial.empty()) ++prefixesWithAnswers;
    for (std::size_t i = 0; i < partial.size(); ++i) {
      if (partial[i] != "error") {
        EXPECT_EQ(partial[i], answers[i]) << "query " << i;
      }
    }
    if (length >= kCertificatesAt) {
      EXPECT_EQ(partial.back(), "error");
    }
  }
  // The headers end before the section: most cuts leave them whole.
  EXPECT_GT(prefixesWithAnswers, whole.size() / 2);

  const auto error = [&whole](std::size_t length) {
    const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    try {
      PeImage(prefix).Resource(kPeResourceManifest, 1);
    } catch (const EPeFormatError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(error(0x30),
            "the DOS header (64 bytes at offset 0x0) runs past the end of the file (48 bytes)");
  EXPECT_THAT(error(kSectionAt + kResourcesAt + 0x40),
              HasSubstr("runs past the end of the file (" +
                        std::to_string(kSectionAt + kResourcesAt + 0x40) + " bytes)"));
}

TEST_P(SmallImage, ChecksObjectToTheOtherMachineAndToATableThatDoesNotEndTheFile) {
  Bytes file = SmallImageBytes(GetParam());
  const std::uint16_t other =
      GetParam().machine == kPeMachineI386 ? kPeMachineAmd64 : kPeMachineI386;
  EXPECT_THAT(HeaderProblems(PeImage(file), {GetParam().machine, kPeSubsystemWindowsGui}),
              ElementsAre(StartsWith("time stamp 0x5eed0001")));
  EXPECT_THAT(HeaderProblems(PeImage(file), {other, kPeSubsystemWindowsConsole}),
              ElementsAre(StartsWith("machine "), HasSubstr("optional header"),
                          StartsWith("subsystem 2"), StartsWith("time stamp")));

  EXPECT_THAT(SignatureProblems(PeImage(file)), IsEmpty());
  file.push_back(0);
  EXPECT_THAT(SignatureProblems(PeImage(file)),
              ElementsAre(HasSubstr("not at the end of the file")));
}

INSTANTIATE_TEST_SUITE_P(Layouts, SmallImage, testing::Values(kPe32, kPe32Plus),
                         [](const testing::TestParamInfo<Layout>& p) { return p.param.name; });

}  // namespace
