// The build's five payload containers against the manifest they were packed from.
#include <gtest/gtest.h>

#include "codec/rlecodec.h"
#include "storage_test_support.h"
#include "tests/unit/support/TestData.h"
#include "tools/common/InputFile.h"
#include "tools/payloadgen/PayloadManifest.h"

namespace {

class PayloadTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    manifest_ = new std::vector<ManifestEntry>(LoadManifest(TestDataPath("payload-manifest")));
  }
  static void TearDownTestSuite() { delete manifest_; }
  static std::string ContainerPath(const std::string& set) {
    return TestDataPath("containers") + "/" + set + ".sfp";
  }
  static std::vector<ManifestEntry>* manifest_;
};
std::vector<ManifestEntry>* PayloadTest::manifest_ = nullptr;

TEST_F(PayloadTest, ManifestHoldsTheInstallersFiveSets) {
  EXPECT_EQ(ManifestSets(*manifest_),
            (std::vector<std::string>{"FileStoMD3", "FileStoPTP1", "FileStoPTP2", "FileStoPTP3",
                                      "FileStoOther"}));
  // The stand-ins are made from the manifest as the repository carries it, which
  // lists plugin 1.40's files; a maintainer's payload comes with its own sizes.
  if (!HV_PAYLOAD_STANDINS) return;
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
    const Bytes bytes = ReadInputFile(ContainerPath(set));
    const StoredContainer container = ReadContainer(bytes);
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
    EXPECT_EQ(WriteContainer(container), bytes);

    // Walk the records again for the coding modes of their blocks.
    TSpanStream in(bytes.data(), bytes.size());
    in.Seek(8);
    for (std::size_t i = 0; i < container.files.size(); ++i) {
      in.Seek(in.Position() + 4 + in.ReadInt32());
      const std::int64_t end = in.Position() + 4 + in.ReadInt32();
      in.Seek(in.Position() + 4);
      const RleBlockModes modes =
          CountBlockModes(in.Current(), static_cast<std::size_t>(end - in.Position()));
      position_list_blocks += modes.positionList;
      escape_blocks += modes.escape;
      in.Seek(end);
    }
  }
  // The stand-ins are made to code like the real payload: mostly position-list
  // blocks, some in escape mode. Other files code as they will.
  if (!HV_PAYLOAD_STANDINS) return;
  EXPECT_GT(escape_blocks, 0u);
  EXPECT_GT(position_list_blocks, 8 * escape_blocks);
}

// Magic, file count, first name length and name, its stored length, then its size:
// for the repository's manifest 53 46 50 31, 15 00 00 00, 0C 00 00 00, "Type0008.md3",
// S, 00 36 0D 00 (865792).
TEST_F(PayloadTest, DriverContainerBeginsAsDocumented) {
  std::vector<ManifestEntry> drivers;
  for (const ManifestEntry& entry : *manifest_) {
    if (entry.set == "FileStoMD3") drivers.push_back(entry);
  }
  ASSERT_FALSE(drivers.empty());
  const std::string& name = drivers.front().name;
  const Bytes bytes = ReadInputFile(ContainerPath("FileStoMD3"));
  const std::size_t nameEnd = 12 + name.size();
  ASSERT_GE(bytes.size(), nameEnd + 8);
  const Bytes head(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(nameEnd + 8));
  EXPECT_EQ(Bytes(head.begin(), head.begin() + static_cast<std::ptrdiff_t>(nameEnd)),
            kMagicBytes + Le32(static_cast<std::int32_t>(drivers.size())) +
                Le32(static_cast<std::int32_t>(name.size())) + Text(name));
  EXPECT_EQ(Bytes(head.end() - 4, head.end()), Le32(drivers.front().size));
}

}  // namespace
