#include "toolkit/OpenDialog.h"

#include <iterator>
#include <vector>

#include "system/winapi.h"
#include "toolkit/Application.h"

namespace {

// OFN_ flag of each TOpenOption, in its order.
constexpr DWORD kOptionFlags[] = {
    OFN_READONLY,       OFN_OVERWRITEPROMPT, OFN_HIDEREADONLY,       OFN_NOCHANGEDIR,       OFN_SHOWHELP,
    OFN_NOVALIDATE,     OFN_ALLOWMULTISELECT, OFN_EXTENSIONDIFFERENT, OFN_PATHMUSTEXIST,   OFN_FILEMUSTEXIST,
    OFN_CREATEPROMPT,   OFN_SHAREAWARE,      OFN_NOREADONLYRETURN,   OFN_NOTESTFILECREATE,  OFN_NONETWORKBUTTON,
    OFN_NOLONGNAMES,    0 /* old style: no OFN_EXPLORER */, OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY,
    OFN_ENABLESIZING};
static_assert(std::size(kOptionFlags) == ofEnableSizing + 1, "one flag per option");

}  // namespace

std::string TOpenDialog::SystemFilter(const std::string& filter) {
  std::string result = filter;
  for (char& c : result) {
    if (c == '|') c = '\0';
  }
  result.push_back('\0');
  result.push_back('\0');
  return result;
}

unsigned long TOpenDialog::SystemFlags(TOpenOptions options) {
  DWORD flags = (options & OpenOption(ofOldStyleDialog)) ? 0 : OFN_EXPLORER;
  for (int option = 0; option <= ofEnableSizing; ++option) {
    if (options & (TOpenOptions{1} << option)) flags |= kOptionFlags[option];
  }
  return flags;
}

bool TOpenDialog::Execute() {
  // Room for the longest path (and for several names when many may be chosen).
  std::vector<char> file(options_ & OpenOption(ofAllowMultiSelect) ? 32768 : MAX_PATH + 1, '\0');
  fileName_.copy(file.data(), file.size() - 1);
  const std::string filter = SystemFilter(filter_);

  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  HWND owner = GetActiveWindow();
  ofn.hwndOwner = owner ? owner : (Application ? Application->Handle() : nullptr);
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  ofn.Flags = SystemFlags(options_);
  if (!GetOpenFileNameA(&ofn)) return false;  // cancelled, or CommDlgExtendedError() says why
  fileName_ = file.data();
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
  return true;
}
