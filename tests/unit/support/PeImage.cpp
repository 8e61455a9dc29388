#include "PeImage.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "base/LittleEndian.h"

namespace {

// Where the fields sit, as the PE format lays them out.
constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kNewHeaderField = 0x3C;  // e_lfanew: where "PE\0\0" is
constexpr std::size_t kSignatureSize = 4;
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::size_t kSubsystemField = 68;
// PE32+ widens the image base and the stack and heap sizes, which moves the data
// directories and their count by 16 bytes; the fields before them stay in place.
constexpr std::size_t kPe32DirectoryCountField = 92;
constexpr std::size_t kPe32PlusDirectoryCountField = 108;
constexpr std::size_t kDirectorySize = 8;
constexpr std::size_t kImportDirectory = 1;
constexpr std::size_t kResourceDirectory = 2;
constexpr std::size_t kSecurityDirectory = 4;
constexpr std::size_t kImportDescriptorSize = 20;
constexpr std::size_t kImportNameField = 12;
constexpr std::size_t kResourceTableSize = 16;
constexpr std::size_t kResourceEntrySize = 8;
constexpr std::size_t kResourceDataEntrySize = 16;
constexpr std::uint32_t kResourceHighBit = 0x80000000u;
constexpr std::size_t kCertificateHeaderSize = 8;

std::string ByteCount(std::uint64_t count) {
  return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

}  // namespace

std::string PeHex(std::uint64_t value) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  return "0x" + text;
}

// An entry of a resource table: a deeper table, or (at the last level) a data entry.
struct PeImage::ResourceEntry {
  bool isTable = false;
  std::uint32_t offset = 0;  // from the resource directory's start
};

PeImage::PeImage(const std::vector<std::uint8_t>& file) : data_(file.data()), size_(file.size()) {
  const std::uint8_t* dos = At(0, kDosHeaderSize, "the DOS header");
  if (dos[0] != 'M' || dos[1] != 'Z') {
    throw EPeFormatError("not a PE file: it starts without \"MZ\"");
  }
  const std::uint64_t signatureAt = LoadLe32(dos + kNewHeaderField);
  if (std::memcmp(At(signatureAt, kSignatureSize, "the PE signature"), "PE\0\0", kSignatureSize) !=
      0) {
    throw EPeFormatError("not a PE file: no \"PE\" signature at offset " + PeHex(signatureAt));
  }
  const std::uint8_t* header =
      At(signatureAt + kSignatureSize, kFileHeaderSize, "the COFF file header");
  machine_ = LoadLe16(header);
  const std::uint16_t sectionCount = LoadLe16(header + 2);
  timeStamp_ = LoadLe32(header + 4);
  const std::uint16_t optionalSize = LoadLe16(header + 16);

  const std::uint64_t optionalAt = signatureAt + kSignatureSize + kFileHeaderSize;
  const std::uint8_t* optional = At(optionalAt, optionalSize, "the optional header");
  const std::uint16_t magic = optionalSize >= 2 ? LoadLe16(optional) : 0;
  if (magic != kPe32Magic && magic != kPe32PlusMagic) {
    throw EPeFormatError("the optional header's magic is " + PeHex(magic) +
                         ", neither PE32 (0x10b) nor PE32+ (0x20b)");
  }
  pe32Plus_ = magic == kPe32PlusMagic;
  const std::size_t countField =
      pe32Plus_ ? kPe32PlusDirectoryCountField : kPe32DirectoryCountField;
  if (optionalSize < countField + 4) {
    throw EPeFormatError("the optional header (" + ByteCount(optionalSize) +
                         ") ends before its count of data directories");
  }
  subsystem_ = LoadLe16(optional + kSubsystemField);
  const std::uint32_t directoryCount = LoadLe32(optional + countField);
  if (directoryCount > (optionalSize - countField - 4) / kDirectorySize) {
    throw EPeFormatError("the optional header (" + ByteCount(optionalSize) +
                         ") has no room for its " + std::to_string(directoryCount) +
                         " data directories");
  }
  for (std::size_t i = 0; i < directoryCount; ++i) {
    const std::uint8_t* entry = optional + countField + 4 + i * kDirectorySize;
    directories_.push_back({LoadLe32(entry), LoadLe32(entry + 4)});
  }

  const std::uint8_t* table =
      At(optionalAt + optionalSize, std::uint64_t{sectionCount} * kSectionHeaderSize,
         "the section table");
  for (std::size_t i = 0; i < sectionCount; ++i) {
    const std::uint8_t* entry = table + i * kSectionHeaderSize;
    PeSection section;
    const std::uint8_t* nameEnd = std::find(entry, entry + 8, 0);  // NUL-padded, or all 8
    section.name.assign(entry, nameEnd);
    section.virtualSize = LoadLe32(entry + 8);
    section.virtualAddress = LoadLe32(entry + 12);
    const std::uint32_t rawSize = LoadLe32(entry + 16);
    const std::uint32_t rawAt = LoadLe32(entry + 20);
    // Held against the file only where a byte of the section is read: the headers of
    // a file cut short still say what it is.
    if (rawSize > 0) section.raw = {rawAt, rawSize};
    sections_.push_back(section);
  }
}

const std::uint8_t* PeImage::At(std::uint64_t offset, std::uint64_t size,
                                const std::string& what) const {
  if (offset > size_ || size > size_ - offset) {
    throw EPeFormatError(what + " (" + ByteCount(size) + " at offset " + PeHex(offset) +
                         ") runs past the end of the file (" + ByteCount(size_) + ")");
  }
  return data_ + static_cast<std::size_t>(offset);
}

PeImage::DataDirectory PeImage::Directory(std::size_t index) const {
  return index < directories_.size() ? directories_[index] : DataDirectory{};
}

const PeSection& PeImage::SectionHolding(std::uint64_t rva, const std::string& what) const {
  for (const PeSection& section : sections_) {
    const std::uint64_t extent = std::max<std::uint64_t>(section.virtualSize, section.raw.size);
    if (rva >= section.virtualAddress && rva - section.virtualAddress < extent) return section;
  }
  throw EPeFormatError(what + " at address " + PeHex(rva) + " lies in no section");
}

std::size_t PeImage::FileOffset(std::uint64_t rva, std::size_t size,
                                const std::string& what) const {
  const PeSection& section = SectionHolding(rva, what);
  const std::uint64_t into = rva - section.virtualAddress;
  if (size > section.raw.size || into > section.raw.size - size) {
    throw EPeFormatError(what + " (" + ByteCount(size) + " at address " + PeHex(rva) +
                         ") runs past the bytes that section " + section.name + " has in the file");
  }
  const std::uint64_t offset = std::uint64_t{section.raw.offset} + into;
  At(offset, size, what);  // a file cut short may end within the section
  return static_cast<std::size_t>(offset);
}

const std::uint8_t* PeImage::Mapped(std::uint64_t rva, std::size_t size,
                                    const std::string& what) const {
  return data_ + FileOffset(rva, size, what);
}

std::string PeImage::TextAt(std::uint64_t rva, const std::string& what) const {
  const std::size_t start = FileOffset(rva, 1, what);
  // The text may run to the end of its section's bytes, no further.
  const PeSection& section = SectionHolding(rva, what);
  const std::size_t inSection =
      section.raw.size - static_cast<std::size_t>(rva - section.virtualAddress);
  const char* text = reinterpret_cast<const char*>(data_ + start);
  const void* end = std::memchr(text, '\0', std::min(inSection, size_ - start));
  if (!end) {
    throw EPeFormatError(what + " at address " + PeHex(rva) + " does not end within " +
                         (inSection <= size_ - start ? "section " + section.name : "the file"));
  }
  return std::string(text, static_cast<const char*>(end));
}

std::vector<std::string> PeImage::ImportedDlls() const {
  std::vector<std::string> names;
  const DataDirectory imports = Directory(kImportDirectory);
  if (imports.address == 0) return names;
  // The descriptor without a name ends the list: the loader stops there too.
  for (std::uint64_t index = 0;; ++index) {
    const std::string what = "import descriptor " + std::to_string(index);
    const std::uint8_t* descriptor =
        Mapped(imports.address + index * kImportDescriptorSize, kImportDescriptorSize, what);
    const std::uint32_t name = LoadLe32(descriptor + kImportNameField);
    if (name == 0) break;
    names.push_back(TextAt(name, "the DLL name of " + what));
  }
  return names;
}

const std::uint8_t* PeImage::ResourceBytes(const DataDirectory& resources, std::uint64_t offset,
                                           std::uint64_t size, const std::string& what) const {
  if (offset > resources.size || size > resources.size - offset) {
    throw EPeFormatError(what + " (" + ByteCount(size) + " at " + PeHex(offset) +
                         ") runs past the end of the resource directory (" +
                         ByteCount(resources.size) + ")");
  }
  return Mapped(resources.address + offset, static_cast<std::size_t>(size), what);
}

bool PeImage::ResourceNameIs(const DataDirectory& resources, std::uint32_t offset,
                             const std::string& name, const std::string& what) const {
  const std::uint16_t length = LoadLe16(ResourceBytes(resources, offset, 2, what));
  const std::uint8_t* units =
      ResourceBytes(resources, std::uint64_t{offset} + 2, std::uint64_t{length} * 2, what);
  if (length != name.size()) return false;
  for (std::size_t i = 0; i < length; ++i) {
    const std::uint16_t unit = LoadLe16(units + 2 * i);
    const int wanted = std::toupper(static_cast<unsigned char>(name[i]));
    if (unit >= 0x80 || std::toupper(unit) != wanted) return false;
  }
  return true;
}

std::optional<PeImage::ResourceEntry> PeImage::FindResourceEntry(const DataDirectory& resources,
                                                                 std::uint32_t table,
                                                                 const PeResourceId& id,
                                                                 const std::string& what) const {
  const std::uint8_t* header = ResourceBytes(resources, table, kResourceTableSize, what);
  const std::size_t count = std::size_t{LoadLe16(header + 12)} + LoadLe16(header + 14);
  const std::uint8_t* entries = ResourceBytes(resources, std::uint64_t{table} + kResourceTableSize,
                                              count * kResourceEntrySize, what + "'s entries");
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t key = LoadLe32(entries + i * kResourceEntrySize);
    const std::uint32_t value = LoadLe32(entries + i * kResourceEntrySize + 4);
    const bool keyIsName = (key & kResourceHighBit) != 0;
    if (keyIsName != id.IsName()) continue;
    const bool matches = keyIsName ? ResourceNameIs(resources, key & ~kResourceHighBit, id.Name(),
                                                    what + "'s name of entry " + std::to_string(i))
                                   : key == id.Number();
    if (matches) return ResourceEntry{(value & kResourceHighBit) != 0, value & ~kResourceHighBit};
  }
  return std::nullopt;
}

std::optional<PeRange> PeImage::ResourceRange(const PeResourceId& type,
                                              const PeResourceId& name) const {
  const DataDirectory resources = Directory(kResourceDirectory);
  if (resources.address == 0) return std::nullopt;
  const std::string what = "resource " + type.Describe() + "/" + name.Describe();
  // Three levels: type, name, language.
  const auto ofType = FindResourceEntry(resources, 0, type, "the table of resource types");
  if (!ofType) return std::nullopt;
  if (!ofType->isTable) throw EPeFormatError(what + ": its type's entry holds no table of names");
  const auto ofName = FindResourceEntry(resources, ofType->offset, name,
                                        "the table of resources of type " + type.Describe());
  if (!ofName) return std::nullopt;
  if (!ofName->isTable) throw EPeFormatError(what + ": its entry holds no table of languages");
  const std::uint8_t* languages =
      ResourceBytes(resources, ofName->offset, kResourceTableSize, what + "'s table of languages");
  if (LoadLe16(languages + 12) + LoadLe16(languages + 14) == 0) {
    throw EPeFormatError(what + " has no language");
  }
  const std::uint32_t firstLanguage =
      LoadLe32(ResourceBytes(resources, std::uint64_t{ofName->offset} + kResourceTableSize,
                             kResourceEntrySize, what + "'s first language") +
               4);
  if (firstLanguage & kResourceHighBit) {
    throw EPeFormatError(what + ": its first language holds another table, not the data");
  }
  const std::uint8_t* entry =
      ResourceBytes(resources, firstLanguage, kResourceDataEntrySize, what + "'s data entry");
  const std::uint32_t size = LoadLe32(entry + 4);
  return PeRange{FileOffset(LoadLe32(entry), size, what + "'s bytes"), size};
}

std::optional<std::vector<std::uint8_t>> PeImage::Resource(const PeResourceId& type,
                                                           const PeResourceId& name) const {
  const std::optional<PeRange> range = ResourceRange(type, name);
  if (!range) return std::nullopt;
  return Bytes(*range);
}

std::optional<PeCertificateTable> PeImage::CertificateTable() const {
  const DataDirectory security = Directory(kSecurityDirectory);
  if (security.address == 0 && security.size == 0) return std::nullopt;
  if (security.address == 0) {
    throw EPeFormatError("the certificate table has a size (" + ByteCount(security.size) +
                         ") but no offset");
  }
  At(security.address, security.size, "the certificate table");
  PeCertificateTable table;
  table.range = {security.address, security.size};
  const std::uint64_t end = std::uint64_t{security.address} + security.size;
  // Each WIN_CERTIFICATE starts on an eight-byte boundary from the table's start.
  for (std::uint64_t at = security.address; at < end;) {
    const std::string what = "certificate " + std::to_string(table.certificates.size());
    if (end - at < kCertificateHeaderSize) {
      throw EPeFormatError(what + ": its header is cut short by the end of the certificate table");
    }
    const std::uint8_t* header = data_ + static_cast<std::size_t>(at);
    const std::uint32_t length = LoadLe32(header);
    if (length < kCertificateHeaderSize || length > end - at) {
      throw EPeFormatError(what + ": its length (" + ByteCount(length) +
                           ") does not fit the certificate table (" + ByteCount(end - at) +
                           " left)");
    }
    table.certificates.push_back(
        {LoadLe16(header + 4),
         LoadLe16(header + 6),
         {static_cast<std::size_t>(at + kCertificateHeaderSize), length - kCertificateHeaderSize}});
    at += (std::uint64_t{length} + 7) / 8 * 8;
  }
  return table;
}

std::vector<std::uint8_t> PeImage::Bytes(const PeRange& range) const {
  const std::uint8_t* bytes = At(range.offset, range.size, "the range asked for");
  return std::vector<std::uint8_t>(bytes, bytes + range.size);
}
