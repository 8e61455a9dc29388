#include "VersionInfo.h"

#include <algorithm>

#include "base/LittleEndian.h"
#include "tests/unit/support/PeImage.h"

namespace {

constexpr std::size_t kBlockHeaderSize = 6;  // wLength, wValueLength, wType
constexpr std::uint16_t kTextValue = 1;
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::size_t kFixedInfoSize = 52;

// One block: a key, a value, and child blocks up to its end. Offsets into the resource.
struct Block {
  std::string key;
  std::size_t valueAt = 0;
  std::size_t valueSize = 0;  // in bytes
  std::size_t childrenAt = 0;
  std::size_t end = 0;
};

std::size_t Aligned(std::size_t at) {
  return (at + 3) / 4 * 4;
}

class BlockReader {
 public:
  explicit BlockReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

  // The block at `at`, which must end by `limit`.
  Block Read(std::size_t at, std::size_t limit, const std::string& where) const {
    if (limit - at < kBlockHeaderSize) {
      throw EPeFormatError(where + ": block header cut short (" + std::to_string(limit - at) +
                           " bytes left)");
    }
    const std::uint16_t length = LoadLe16(&bytes_[at]);
    const std::uint16_t valueLength = LoadLe16(&bytes_[at + 2]);
    const std::uint16_t type = LoadLe16(&bytes_[at + 4]);
    if (length < kBlockHeaderSize || length > limit - at) {
      throw EPeFormatError(where + ": block length " + std::to_string(length) + " does not fit (" +
                           std::to_string(limit - at) + " bytes left)");
    }
    Block block;
    block.end = at + length;
    const std::size_t keyEnd = TextEnd(at + kBlockHeaderSize, block.end);
    if (keyEnd == block.end) throw EPeFormatError(where + ": key does not end within its block");
    block.key = Text(at + kBlockHeaderSize, keyEnd);
    // Text values count UTF-16 units, binary ones bytes.
    block.valueAt = std::min(Aligned(keyEnd + 2), block.end);
    block.valueSize = type == kTextValue ? std::size_t{valueLength} * 2 : valueLength;
    if (block.valueSize > block.end - block.valueAt) {
      throw EPeFormatError(where + " \"" + block.key + "\": value of " +
                           std::to_string(block.valueSize) + " bytes runs past its block");
    }
    block.childrenAt = std::min(Aligned(block.valueAt + block.valueSize), block.end);
    return block;
  }

  std::vector<Block> Children(const Block& parent, const std::string& where) const {
    std::vector<Block> children;
    for (std::size_t at = parent.childrenAt; at < parent.end;) {
      children.push_back(Read(
          at, parent.end, where + "/" + parent.key + " child " + std::to_string(children.size())));
      at = Aligned(children.back().end);
    }
    return children;
  }

  // The text of the UTF-16 units from begin up to a NUL or end.
  std::string Text(std::size_t begin, std::size_t end) const {
    std::string text;
    const std::size_t stop = TextEnd(begin, end);
    for (std::size_t at = begin; at < stop; at += 2) {
      const std::uint16_t unit = LoadLe16(&bytes_[at]);
      text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return text;
  }

  std::uint32_t Le32At(std::size_t at) const { return LoadLe32(&bytes_[at]); }

 private:
  // Where the NUL unit from begin is, or end when none is before it.
  std::size_t TextEnd(std::size_t begin, std::size_t end) const {
    for (std::size_t at = begin; end - at >= 2; at += 2) {
      if (LoadLe16(&bytes_[at]) == 0) return at;
    }
    return end;
  }

  const std::vector<std::uint8_t>& bytes_;
};

}  // namespace

VersionInfo ParseVersionInfo(const std::vector<std::uint8_t>& bytes) {
  const BlockReader reader(bytes);
  const Block root = reader.Read(0, bytes.size(), "VS_VERSIONINFO");
  if (root.key != "VS_VERSION_INFO") {
    throw EPeFormatError("VS_VERSIONINFO: the key is \"" + root.key + "\"");
  }
  if (root.valueSize < kFixedInfoSize || reader.Le32At(root.valueAt) != kFixedInfoSignature) {
    throw EPeFormatError("VS_VERSIONINFO: no fixed file information");
  }
  VersionInfo info;
  info.fileVersionHigh = reader.Le32At(root.valueAt + 8);
  info.fileVersionLow = reader.Le32At(root.valueAt + 12);
  info.productVersionHigh = reader.Le32At(root.valueAt + 16);
  info.productVersionLow = reader.Le32At(root.valueAt + 20);

  const std::string where = "VS_VERSIONINFO";
  for (const Block& child : reader.Children(root, where)) {
    if (child.key == "StringFileInfo") {
      for (const Block& table : reader.Children(child, where)) {
        auto& strings = info.stringTables[table.key];
        for (const Block& string : reader.Children(table, where + "/StringFileInfo")) {
          strings[string.key] = reader.Text(string.valueAt, string.valueAt + string.valueSize);
        }
      }
    } else if (child.key == "VarFileInfo") {
      for (const Block& var : reader.Children(child, where)) {
        if (var.key != "Translation") continue;
        for (std::size_t at = var.valueAt; at + 4 <= var.valueAt + var.valueSize; at += 4) {
          info.translations.push_back(reader.Le32At(at));
        }
      }
    }
  }
  return info;
}
