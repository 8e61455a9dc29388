// The build's five payload containers against the manifest they were packed from.
#include <gtest/gtest.h>

#include "PayloadManifest.h"
#include "storage_test_support.h"

namespace {

constexpr std::uint16_t kFirstPositionListHeader = 256;

TMemoryStream ReadFile(const std::string& path) {
  TFileStream in(path, TFileStream::Mode::Read);
  TMemoryStream bytes;
  bytes.SetSize(static_cast<std::size_t>(in.Size()));
  in.ReadBuffer(bytes.Data(), static_cast<std::size_t>(bytes.Size()));
  return bytes;
}

class PayloadTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    manifest_ = new std::vector<ManifestEntry>(LoadManifest(HV_PAYLOAD_MANIFEST));
  }
  static void TearDownTestSuite() { delete manifest_; }
  static std::string ContainerPath(const std::string& set) {
    return std::string(HV_PAYLOAD_OUTPUT) + "/" + set + ".sfp";
  }
  static std::vector<ManifestEntry>* manifest_;
};
std::vector<ManifestEntry>* PayloadTest::manifest_ = nullptr;

TEST_F(PayloadTest, ManifestHoldsTheInstallersFiveSets) {
  EXPECT_EQ(ManifestSets(*manifest_),
            (std::vector<std::string>{"FileStoMD3", "FileStoPTP1", "FileStoPTP2", "FileStoPTP3",
                                      "FileStoOther"}));
  std::int64_t total = 0;
  for (const ManifestEntry& entry : *manifest_) total += entry.size;
  EXPECT_EQ(manifest_->size(), 28u);
  EXPECT_EQ(total, 21184673);
}

TEST_F(PayloadTest, EachContainerHoldsItsSetInManifestOrderAndWritesBackIdentically) {
  std::size_t position_list_blocks = 0;
  std::size_t escape_blocks = 0;
  for (const std::string& set : ManifestSets(*manifest_)) {
    SCOPED_TRACE(set);
    const TMemoryStream bytes = ReadFile(ContainerPath(set));
    const StoredContainer container = ReadContainer(Contents(bytes));
    EXPECT_TRUE(container.compressed);
    std::size_t index = 0;
    for (const ManifestEntry& entry : *manifest_) {
      if (entry.set != set) continue;
      ASSERT_LT(index, container.files.size());
      EXPECT_EQ(container.files[index].name, entry.name);
      EXPECT_EQ(container.files[index].data.Size(), entry.size);
      ++index;
    }
    EXPECT_EQ(index, container.files.size());
    EXPECT_EQ(WriteContainer(container), Contents(bytes));

    // Walk the records again for the coding modes of their blocks.
    TSpanStream in(bytes.Data(), static_cast<std::size_t>(bytes.Size()));
    in.Seek(8);
    for (std::size_t i = 0; i < container.files.size(); ++i) {
      in.Seek(in.Position() + 4 + in.ReadInt32());
      const std::int64_t end = in.Position() + 4 + in.ReadInt32();
      in.Seek(in.Position() + 4);
      while (in.Position() < end) {
        const std::uint16_t coded = in.ReadUInt16();
        const std::int64_t next = in.Position() + coded;
        (in.ReadUInt16() >= kFirstPositionListHeader ? position_list_blocks : escape_blocks) += 1;
        in.Seek(next);
      }
    }
  }
  // Like the real payload: mostly position-list blocks, some in escape mode.
  EXPECT_GT(escape_blocks, 0u);
  EXPECT_GT(position_list_blocks, 8 * escape_blocks);
}

TEST_F(PayloadTest, DriverContainerBeginsAsDocumented) {
  const TMemoryStream bytes = ReadFile(ContainerPath("FileStoMD3"));
  const Bytes head(bytes.Data(), bytes.Data() + 32);
  EXPECT_EQ(
      Bytes(head.begin(), head.begin() + 24),
      Concat(
          {kMagicBytes, {0x15, 0x00, 0x00, 0x00}, {0x0C, 0x00, 0x00, 0x00}, Text("Type0008.md3")}));
  EXPECT_EQ(Bytes(head.begin() + 28, head.end()), (Bytes{0x00, 0x36, 0x0D, 0x00}));  // 865792
}

}  // namespace
