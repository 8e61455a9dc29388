// The installer's entry point. It reads no command line: everything the installer
// needs travels in its stored window description, which is checked before anything
// is built from it.
#include <exception>
#include <optional>
#include <string>

#include "installer/ProductSchemas.h"
#include "installer/win32/ProductBindings.h"
#include "installer/win32/StoredDescription.h"
#include "installer/win32/Unit1.h"
#include "installer/win32/Win32Desktop.h"
#include "system/DllSearch.h"
#include "system/winapi.h"
#include "toolkit/DescriptionFormat.h"
#include "toolkit/win32/Application.h"

namespace {

constexpr const char* kApplicationTitle = "Halvora plugin";
constexpr const char* kErrorCaption = "Error";
constexpr const char* kDamagedText =
    "This installer is damaged, most likely by an incomplete download.\r"
    "Please download a new copy of the installer and run that one.";
constexpr const char* kCannotStartText = "The installer cannot start:\r";

enum TExitCode : int {
  ecClosed = 0,
  ecDamaged = 2,      // the description does not match its CRC-32
  ecCannotStart = 3,  // the window could not be built from it
};

// Tells the user why the installer stops; called inside a catch block.
void ReportCannotStart(HWND owner) {
  std::string reason = "unknown error";
  try {
    throw;
  } catch (const std::exception& e) {
    reason = e.what();
  } catch (...) {
  }
  ShowOwnedMessageBox(owner, mkError, kErrorCaption, kCannotStartText + reason);
}

// From here on the description is known to be the one the build made: what still
// fails (a description the loader refuses, a system that refuses windows, memory)
// is told to the user, never a crash.
int RunInstaller(TSpanStream& description) {
  TApplication application;
  try {
    application.Initialize();
    application.SetTitle(kApplicationTitle);
    application.AddClasses(AddProductSchemas, AddProductBindings);
    // The one installer window, FormServicePack in the description; the application owns it.
    application.CreateForm<TFormServicePack>("TFormServicePack", description);
    application.Run();
    return ecClosed;
  } catch (...) {
    ReportCannotStart(application.Handle());
  }
  return ecCannotStart;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Before anything can load a DLL. What runs before WinMain (the runtime's start-up,
  // the static objects) loads none.
  RestrictDllSearchToSystemFolder();
  std::optional<TSpanStream> description = CheckedDescription(GetModuleHandleA(nullptr));
  if (!description) {
    ShowOwnedMessageBox(nullptr, mkError, kErrorCaption, kDamagedText);
    return ecDamaged;
  }
  try {
    return RunInstaller(*description);
  } catch (...) {
    ReportCannotStart(nullptr);  // the application object itself could not be made
    return ecCannotStart;
  }
}
