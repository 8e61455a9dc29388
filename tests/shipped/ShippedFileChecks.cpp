#include "ShippedFileChecks.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <stdexcept>

namespace {

std::string MachineText(std::uint16_t machine) {
  switch (machine) {
    case kPeMachineI386:
      return "i386";
    case kPeMachineAmd64:
      return "AMD64";
    default:
      return PeHex(machine);
  }
}

// DER: a SEQUENCE whose first element is the object identifier of PKCS#7 signed data
// (1.2.840.113549.1.7.2), as Authenticode's ContentInfo starts.
bool IsPkcs7SignedData(const std::vector<std::uint8_t>& der) {
  static const std::uint8_t kSignedDataOid[] = {0x06, 0x09, 0x2A, 0x86, 0x48, 0x86,
                                                0xF7, 0x0D, 0x01, 0x07, 0x02};
  if (der.size() < 2 || der[0] != 0x30) return false;
  std::size_t at = 2;
  std::size_t length = der[1];
  if (length >= 0x80) {  // the long form: the next (length & 0x7F) bytes hold it
    const std::size_t digits = length & 0x7F;
    if (digits == 0 || digits > 4 || der.size() - at < digits) return false;
    length = 0;
    for (std::size_t i = 0; i < digits; ++i) length = length << 8 | der[at++];
  }
  return length <= der.size() - at && length >= sizeof kSignedDataOid &&
         std::equal(std::begin(kSignedDataOid), std::end(kSignedDataOid),
                    der.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

std::uint16_t MachineNamed(const std::string& name) {
  if (name == "i386") return kPeMachineI386;
  if (name == "amd64") return kPeMachineAmd64;
  throw std::invalid_argument("unknown machine \"" + name + "\" (i386 or amd64)");
}

std::vector<std::string> HeaderProblems(const PeImage& image, const ExpectedHeader& expected) {
  std::vector<std::string> problems;
  if (image.Machine() != expected.machine) {
    problems.push_back("machine " + MachineText(image.Machine()) + ", expected " +
                       MachineText(expected.machine));
  }
  const bool pe32PlusExpected = expected.machine == kPeMachineAmd64;
  if (image.IsPe32Plus() != pe32PlusExpected) {
    problems.push_back(std::string(image.IsPe32Plus() ? "PE32+" : "PE32") +
                       " optional header, expected " + (pe32PlusExpected ? "PE32+" : "PE32") +
                       " for " + MachineText(expected.machine));
  }
  if (image.Subsystem() != expected.subsystem) {
    problems.push_back("subsystem " + std::to_string(image.Subsystem()) + ", expected " +
                       std::to_string(expected.subsystem));
  }
  if (image.TimeStamp() != 0) {
    problems.push_back("time stamp " + PeHex(image.TimeStamp()) + ": two builds would differ");
  }
  return problems;
}

std::string LowerCaseName(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

std::vector<std::string> ImportsOutside(const PeImage& image, const std::set<std::string>& known) {
  std::vector<std::string> outside;
  for (const std::string& dll : image.ImportedDlls()) {
    if (!known.count(LowerCaseName(dll))) outside.push_back(LowerCaseName(dll));
  }
  return outside;
}

std::vector<std::string> DisallowedImports(const PeImage& image, bool commonControlsAssembly) {
  // Windows takes its known DLLs from the system folder whatever the search order,
  // before any code of the program runs. These are the ones of Windows 7's list (the
  // registry key HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs, with
  // ntdll, which is always loaded first) that later versions keep: extend it only from
  // that key of the oldest Windows the installer supports.
  std::set<std::string> known = {"ntdll.dll",    "kernel32.dll", "user32.dll",   "gdi32.dll",
                                 "advapi32.dll", "comdlg32.dll", "msvcrt.dll",   "shell32.dll",
                                 "shlwapi.dll",  "ole32.dll",    "oleaut32.dll", "rpcrt4.dll",
                                 "imm32.dll",    "ws2_32.dll"};
  if (commonControlsAssembly) known.insert("comctl32.dll");
  return ImportsOutside(image, known);
}

std::vector<std::string> SignatureProblems(const PeImage& image) {
  std::vector<std::string> problems;
  const auto table = image.CertificateTable();
  if (!table) return problems;
  if (table->range.offset + table->range.size != image.FileSize()) {
    problems.push_back("the certificate table ends at " +
                       std::to_string(table->range.offset + table->range.size) +
                       ", not at the end of the file (" + std::to_string(image.FileSize()) + ")");
  }
  if (table->range.offset % 8 != 0) {
    problems.push_back("the certificate table starts off an eight-byte boundary");
  }
  if (table->certificates.empty()) problems.push_back("the certificate table holds no certificate");
  for (std::size_t i = 0; i < table->certificates.size(); ++i) {
    const PeCertificate& certificate = table->certificates[i];
    const std::string which = "certificate " + std::to_string(i);
    if (certificate.revision != kPeCertificateRevision2) {
      problems.push_back(which + ": revision " + PeHex(certificate.revision) + ", not 2.0");
    }
    if (certificate.type != kPeCertificatePkcsSignedData ||
        !IsPkcs7SignedData(image.Bytes(certificate.content))) {
      problems.push_back(which + ": not PKCS#7 signed data");
    }
  }
  return problems;
}
