#include "toolkit/win32/OpenDialog.h"

#include <iterator>
#include <optional>
#include <vector>

#include "system/WidePath.h"
#include "system/winapi.h"
#include "toolkit/win32/Application.h"

namespace {

// OFN_ flag of each TOpenOption, in its order.
constexpr DWORD kOptionFlags[] = {OFN_READONLY,
                                  OFN_OVERWRITEPROMPT,
                                  OFN_HIDEREADONLY,
                                  OFN_NOCHANGEDIR,
                                  OFN_SHOWHELP,
                                  OFN_NOVALIDATE,
                                  OFN_ALLOWMULTISELECT,
                                  OFN_EXTENSIONDIFFERENT,
                                  OFN_PATHMUSTEXIST,
                                  OFN_FILEMUSTEXIST,
                                  OFN_CREATEPROMPT,
                                  OFN_SHAREAWARE,
                                  OFN_NOREADONLYRETURN,
                                  OFN_NOTESTFILECREATE,
                                  OFN_NONETWORKBUTTON,
                                  OFN_NOLONGNAMES,
                                  0 /* old style: no OFN_EXPLORER */,
                                  OFN_NODEREFERENCELINKS,
                                  OFN_ENABLEINCLUDENOTIFY,
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

TOpenResult TOpenDialog::Execute() {
  // Room for the longest path (and for several names when many may be chosen).
  std::vector<wchar_t> file(options_ & OpenOption(ofAllowMultiSelect) ? 32768 : MAX_PATH + 1,
                            L'\0');
  WidePath(fileName_).copy(file.data(), file.size() - 1);
  const std::wstring filter = WidePath(SystemFilter(filter_));
  const std::wstring initialDir = WidePath(initialDir_);
  const std::wstring title = WidePath(title_);
  const std::wstring defaultExt = WidePath(defaultExt_);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  HWND owner = GetActiveWindow();
  ofn.hwndOwner = owner ? owner : (Application ? Application->Handle() : nullptr);
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = SystemFlags(options_);
  if (!GetOpenFileNameW(&ofn)) {
    // A chosen path longer than the buffer fails the call like a Cancel does; only the
    // extended error tells the two apart.
    return CommDlgExtendedError() == FNERR_BUFFERTOOSMALL ? orPathTooLong : orCancelled;
  }
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
  const std::optional<std::string> chosen = AnsiPathFor(file.data());
  if (!chosen) return orNameNotInCodePage;
  fileName_ = *chosen;
  return orChosen;
}
