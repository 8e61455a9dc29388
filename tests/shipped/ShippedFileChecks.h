// The checks of an executable we ship for Windows, from its bytes. Each returns what is
// wrong, so that a test can run it on a changed copy of a built file and see it object.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "tests/unit/support/PeImage.h"

// The machine that "i386" or "amd64" names; throws std::invalid_argument otherwise.
std::uint16_t MachineNamed(const std::string& name);

struct ExpectedHeader {
  std::uint16_t machine = kPeMachineI386;
  std::uint16_t subsystem = kPeSubsystemWindowsGui;
};

// How the header differs from what our builds write: the machine, the optional
// header's layout for it (PE32 for i386, PE32+ for AMD64), the subsystem, and a time
// stamp of zero, so that the same sources give the same bytes.
std::vector<std::string> HeaderProblems(const PeImage& image, const ExpectedHeader& expected);

// name in lower case (ASCII), as DLL names are compared.
std::string LowerCaseName(std::string name);

// The imported DLLs, in lower case, that the list known (in lower case) does not name.
std::vector<std::string> ImportsOutside(const PeImage& image, const std::set<std::string>& known);

// The imported DLLs, in lower case, that Windows might take from elsewhere than its
// system folder, such as the download folder an elevated installer runs from.
// commonControlsAssembly: the program's manifest names the version 6 common controls,
// so the loader takes comctl32.dll from that side-by-side assembly.
std::vector<std::string> DisallowedImports(const PeImage& image, bool commonControlsAssembly);

// What is wrong with the certificate table, where there is one: Authenticode wants it
// at the end of the file, on an eight-byte boundary, holding revision 2.0 WIN_CERTIFICATEs
// of PKCS#7 signed data. Empty for a file without a table.
std::vector<std::string> SignatureProblems(const PeImage& image);
