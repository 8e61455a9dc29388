// Which files one camera model needs: its driver module, found through the model
// table (the window description's TXTDat, "Model=Driver" lines in list order), and
// the variant of the PTP library that suits it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "toolkit/StringList.h"

// The driver module of the first row whose name matches model without regard to
// case (user's locale); nothing when no row does, as for the "Model ..." placeholder.
std::optional<std::string> DriverForModel(const TStringList& table, const std::string& model);

// The stored-file set that holds a model's NkdPTP.dll.
enum TPtpSet : std::uint8_t {
  psPTP1,  // FileStoPTP1: every model not named below
  psPTP2,  // FileStoPTP2: D5600
  psPTP3,  // FileStoPTP3: D850, Z6, Z7, Z50
};

// Exact, case-sensitive: the PTP variants were built for these bodies' names as
// the list shows them.
TPtpSet PtpSetForModel(const std::string& model);
