#include "KitSystem.h"

#include <cstdio>

#include "KitText.h"
#include "system/winapi.h"

namespace {

std::wstring RegistryText(HKEY key, const wchar_t* name) {
  wchar_t value[256] = {};
  DWORD type = 0;
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return {};
  return value;
}

DWORD RegistryNumber(HKEY key, const wchar_t* name) {
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof value;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD)
    return 0;
  return value;
}

// An export of ntdll, or null (FARPROC goes through void(*)() to the real type).
template <typename Function>
Function NtdllExport(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), name);
  return found ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found)) : nullptr;
}

std::string Line(const char* name, const std::string& value) {
  return std::string(name) + ": " + value + "\r\n";
}

std::string WindowsLine() {
  using RtlGetVersionFunction = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);
  RTL_OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof version;
  const auto rtlGetVersion = NtdllExport<RtlGetVersionFunction>("RtlGetVersion");
  if (rtlGetVersion) rtlGetVersion(&version);

  std::wstring product, release;
  DWORD revision = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", 0,
                    KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
    product = RegistryText(key, L"ProductName");
    release = RegistryText(key, L"DisplayVersion");
    if (release.empty()) release = RegistryText(key, L"ReleaseId");
    revision = RegistryNumber(key, L"UBR");
    RegCloseKey(key);
  }
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "%lu.%lu, build %lu.%lu",
                static_cast<unsigned long>(version.dwMajorVersion),
                static_cast<unsigned long>(version.dwMinorVersion),
                static_cast<unsigned long>(version.dwBuildNumber),
                static_cast<unsigned long>(revision));
  std::string text = Utf8(product);
  if (!release.empty()) text += ", version " + Utf8(release);
  text += " (" + std::string(numbers) + ")";
  // Windows 11 still calls itself "Windows 10" in ProductName; its builds start at 22000.
  if (version.dwMajorVersion == 10 && version.dwBuildNumber >= 22000) text += ", i.e. Windows 11";
  using WineVersionFunction = const char* (*)();
  const auto wineVersion = NtdllExport<WineVersionFunction>("wine_get_version");
  if (wineVersion) text += std::string(", under Wine ") + wineVersion();
  return Line("Windows", text);
}

std::string MachineName(USHORT machine) {
  switch (machine) {
    case IMAGE_FILE_MACHINE_AMD64:
      return "x64";
    case IMAGE_FILE_MACHINE_I386:
      return "x86";
    case IMAGE_FILE_MACHINE_ARM64:
      return "Arm64";
    default:
      return "machine type " + std::to_string(machine);
  }
}

// Windows 11 on Arm runs x86 and x64 programs emulated, and GetNativeSystemInfo answers
// an emulated program with the emulated machine (x64), so the machine itself comes from
// IsWow64Process2 (Windows 10 1709 and later, looked up: Windows 7 lacks it), and from
// GetNativeSystemInfo only where that is missing.
std::string BitsLine() {
  using IsWow64Process2Function = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process2");
  const auto isWow64Process2 =
      found ? reinterpret_cast<IsWow64Process2Function>(reinterpret_cast<void (*)()>(found))
            : nullptr;
  USHORT processMachine = IMAGE_FILE_MACHINE_UNKNOWN;
  USHORT nativeMachine = IMAGE_FILE_MACHINE_UNKNOWN;
  std::string os;
  if (isWow64Process2 && isWow64Process2(GetCurrentProcess(), &processMachine, &nativeMachine)) {
    os = nativeMachine == IMAGE_FILE_MACHINE_I386
             ? "32-bit Windows (x86)"
             : "64-bit Windows (" + MachineName(nativeMachine) + ")";
  } else {
    SYSTEM_INFO native = {};
    GetNativeSystemInfo(&native);
    switch (native.wProcessorArchitecture) {
      case PROCESSOR_ARCHITECTURE_AMD64:
        os = "64-bit Windows (x64)";
        break;
      case PROCESSOR_ARCHITECTURE_INTEL:
        os = "32-bit Windows (x86)";
        break;
      case PROCESSOR_ARCHITECTURE_ARM64:
        os = "64-bit Windows (Arm64)";
        break;
      default:
        os = "Windows on processor architecture " + std::to_string(native.wProcessorArchitecture);
    }
  }
  std::string process = sizeof(void*) == 8 ? "64-bit x64" : "32-bit x86";
  // An x86 program on 64-bit Windows runs under WOW64; on Arm64 an x64 one is emulated
  // without it, so the machine names what the programs run on.
  if (nativeMachine == IMAGE_FILE_MACHINE_ARM64) process += ", emulated on Arm64";
  return Line("Bits", os + "; the kit's programs are " + process + " processes");
}

std::string CodePageLine() {
  wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
  GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
  return Line("Code pages", "ANSI " + std::to_string(GetACP()) + ", OEM " +
                                std::to_string(GetOEMCP()) + "; user locale " + Utf8(locale));
}

std::string ScreenLines() {
  // The runner is not DPI-aware: where Windows scales the display, it is told 96 DPI and
  // a screen shrunk to match; the desktop's own size gives the scale back.
  const HDC screen = GetDC(nullptr);
  const int width = GetDeviceCaps(screen, DESKTOPHORZRES);
  const int height = GetDeviceCaps(screen, DESKTOPVERTRES);
  const int toldHeight = GetDeviceCaps(screen, VERTRES);
  const int toldDpi = GetDeviceCaps(screen, LOGPIXELSY);
  const int dpi = toldHeight > 0 && height > 0 ? toldDpi * height / toldHeight : toldDpi;
  ReleaseDC(nullptr, screen);
  std::string text =
      Line("Screen", std::to_string(width) + " x " + std::to_string(height) + ", " +
                         std::to_string(dpi) + " DPI (" + std::to_string(dpi * 100 / 96) + " %)");
  // The installer and the window tests are not DPI-aware, which the checks of size and
  // fit depend on: say what they are shown.
  if (dpi != 96) {
    const bool wine = NtdllExport<const char* (*)()>("wine_get_version") != nullptr;
    text += Line("Test programs' DPI",
                 wine ? "as Wine gives them, not Windows' 96 (checks of sizes and pixels skip)"
                      : "96 (not DPI-aware, as the installer: Windows scales their windows)");
  }
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return text + Line("Message font", "(SystemParametersInfo failed, error " +
                                           std::to_string(GetLastError()) + ")");
  const LOGFONTW& font = metrics.lfMessageFont;
  const int pixels = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  const int points = dpi > 0 ? (pixels * 72 + dpi / 2) / dpi : 0;
  return text +
         Line("Message font", "\"" + Utf8(font.lfFaceName) + "\", height " +
                                  std::to_string(font.lfHeight) + " (" + std::to_string(points) +
                                  " pt), weight " + std::to_string(font.lfWeight) + ", charset " +
                                  std::to_string(font.lfCharSet));
}

}  // namespace

bool RunsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  const bool ok =
      GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) != 0;
  CloseHandle(token);
  return ok && elevation.TokenIsElevated != 0;
}

std::string DescribeSystem() {
  return WindowsLine() + BitsLine() + CodePageLine() + ScreenLines() +
         Line("Administrator", RunsElevated() ? "yes" : "no");
}
