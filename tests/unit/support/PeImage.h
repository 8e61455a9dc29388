// A Windows executable (PE32 or PE32+) read from its bytes alone, so that the native
// build can check what the Windows builds ship: the headers, the sections, the DLLs
// the import directory names, the resources and the appended certificate table.
//
// Every offset and size the file states is held against the file before a byte is
// read: a truncated or malformed file throws EPeFormatError naming what is wrong, and
// nothing reads outside the buffer whatever its bytes. Nothing here depends on the
// host's pointer size or byte order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class EPeFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

constexpr std::uint16_t kPeMachineI386 = 0x014C;
constexpr std::uint16_t kPeMachineAmd64 = 0x8664;
constexpr std::uint16_t kPeSubsystemWindowsGui = 2;
constexpr std::uint16_t kPeSubsystemWindowsConsole = 3;

// Resource types as resource scripts number them.
constexpr std::uint16_t kPeResourceIcon = 3;
constexpr std::uint16_t kPeResourceRcData = 10;
constexpr std::uint16_t kPeResourceGroupIcon = 14;
constexpr std::uint16_t kPeResourceVersion = 16;
constexpr std::uint16_t kPeResourceManifest = 24;

// WIN_CERTIFICATE's revision and type of an Authenticode signature.
constexpr std::uint16_t kPeCertificateRevision2 = 0x0200;
constexpr std::uint16_t kPeCertificatePkcsSignedData = 0x0002;

// Bytes of the file: where they start and how many.
struct PeRange {
  std::size_t offset = 0;
  std::size_t size = 0;
};

struct PeSection {
  std::string name;
  std::uint32_t virtualAddress = 0;
  std::uint32_t virtualSize = 0;
  PeRange raw;  // the section's bytes in the file, as the header states them
};

// A resource type or name: a number, or a name, which matches as Windows matches
// names, ignoring the case of ASCII letters. Converts implicitly from either, as
// Windows' resource functions take either in one argument.
class PeResourceId {
 public:
  PeResourceId(std::uint16_t number) : number_(number) {}
  PeResourceId(const char* name) : name_(name), isName_(true) {}

  bool IsName() const { return isName_; }
  std::uint16_t Number() const { return number_; }
  const std::string& Name() const { return name_; }
  std::string Describe() const { return isName_ ? name_ : "#" + std::to_string(number_); }

 private:
  std::uint16_t number_ = 0;
  std::string name_;
  bool isName_ = false;
};

// One WIN_CERTIFICATE of the certificate table.
struct PeCertificate {
  std::uint16_t revision = 0;
  std::uint16_t type = 0;
  PeRange content;  // bCertificate: for Authenticode, DER-encoded PKCS#7 signed data
};

// The security directory's table, which signing appends to the file: its offset is a
// file offset, not an address, and no section holds it.
struct PeCertificateTable {
  PeRange range;
  std::vector<PeCertificate> certificates;
};

// "0x" and the value in lower-case hex digits, as the messages here spell addresses
// and fields.
std::string PeHex(std::uint64_t value);

class PeImage {
 public:
  // Reads the headers and the section table of file; throws EPeFormatError. The
  // bytes are borrowed, not copied: file must outlive the image and stay unchanged.
  explicit PeImage(const std::vector<std::uint8_t>& file);
  explicit PeImage(std::vector<std::uint8_t>&&) = delete;

  std::size_t FileSize() const { return size_; }
  std::uint16_t Machine() const { return machine_; }
  std::uint32_t TimeStamp() const { return timeStamp_; }
  std::uint16_t Subsystem() const { return subsystem_; }
  // PE32+, the 64-bit layout of the optional header; PE32 otherwise.
  bool IsPe32Plus() const { return pe32Plus_; }
  const std::vector<PeSection>& Sections() const { return sections_; }

  // The file offset of the size bytes at the relative virtual address rva; throws
  // when no section's bytes hold all of them, or the file ends before them. `what`
  // names them in the message.
  std::size_t FileOffset(std::uint64_t rva, std::size_t size, const std::string& what) const;

  // The DLL names of the import directory, in its order and spelling.
  std::vector<std::string> ImportedDlls() const;

  // Where the file holds the resource of this type and name in its first language;
  // nullopt when the file has no such resource.
  std::optional<PeRange> ResourceRange(const PeResourceId& type, const PeResourceId& name) const;
  // The bytes of that resource.
  std::optional<std::vector<std::uint8_t>> Resource(const PeResourceId& type,
                                                    const PeResourceId& name) const;

  // nullopt when the file carries no certificate table.
  std::optional<PeCertificateTable> CertificateTable() const;

  std::vector<std::uint8_t> Bytes(const PeRange& range) const;

 private:
  struct DataDirectory {
    std::uint32_t address = 0;
    std::uint32_t size = 0;
  };
  struct ResourceEntry;

  // The size bytes at offset; throws when the file does not hold them all.
  const std::uint8_t* At(std::uint64_t offset, std::uint64_t size, const std::string& what) const;
  DataDirectory Directory(std::size_t index) const;
  // The section whose addresses take in rva; throws when there is none.
  const PeSection& SectionHolding(std::uint64_t rva, const std::string& what) const;
  // The size bytes at rva; throws as FileOffset does.
  const std::uint8_t* Mapped(std::uint64_t rva, std::size_t size, const std::string& what) const;
  // The NUL-terminated text at rva, which must end within its section.
  std::string TextAt(std::uint64_t rva, const std::string& what) const;
  // The size bytes at offset from the resource directory's start, which must lie
  // within the directory as its data directory entry bounds it.
  const std::uint8_t* ResourceBytes(const DataDirectory& resources, std::uint64_t offset,
                                    std::uint64_t size, const std::string& what) const;
  bool ResourceNameIs(const DataDirectory& resources, std::uint32_t offset, const std::string& name,
                      const std::string& what) const;
  // The entry for id in the resource table at offset table, or nullopt.
  std::optional<ResourceEntry> FindResourceEntry(const DataDirectory& resources,
                                                 std::uint32_t table, const PeResourceId& id,
                                                 const std::string& what) const;

  const std::uint8_t* data_;
  std::size_t size_;
  std::uint16_t machine_ = 0;
  std::uint32_t timeStamp_ = 0;
  std::uint16_t subsystem_ = 0;
  bool pe32Plus_ = false;
  std::vector<DataDirectory> directories_;
  std::vector<PeSection> sections_;
};
