// The desktop side of the installer on Windows: finding windows by title and the
// message boxes the user sees.
#include "installer/win32/Win32Desktop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "system/winapi.h"
#include "tests/e2e/UiDriver.h"

namespace {

using e2e::TextOf;

// Titles of this process only: tests of other programs may run on the same desktop.
std::string UniqueTitle(const char* what) {
  return std::string("hv-install-test ") + what + " " + std::to_string(GetCurrentProcessId());
}

class TopLevelWindow {
 public:
  explicit TopLevelWindow(const std::string& title)
      : window_(CreateWindowA("STATIC", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                              nullptr, nullptr, nullptr)) {}
  ~TopLevelWindow() {
    if (window_) DestroyWindow(window_);
  }
  TopLevelWindow(const TopLevelWindow&) = delete;
  TopLevelWindow& operator=(const TopLevelWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

TEST(Win32Desktop, FindsTopLevelWindowsByTheirExactTitle) {
  const std::string title = UniqueTitle("Halvora");
  EXPECT_FALSE(TopLevelWindowExists(title));
  {
    const TopLevelWindow window(title);
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_TRUE(TopLevelWindowExists(title));
    EXPECT_FALSE(TopLevelWindowExists(title.substr(0, title.size() - 1)));
    EXPECT_FALSE(TopLevelWindowExists(title + " "));
  }
  EXPECT_FALSE(TopLevelWindowExists(title));
}

// What a message box of this thread looked like, read from another thread while
// the box waits for the user, who then presses OK.
struct SeenBox {
  std::string caption;
  std::string text;
  HWND owner = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char className[16] = {};
  if (GetClassNameA(window, className, sizeof className) > 0 &&
      std::string(className) == "#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void WatchForBox(DWORD thread, SeenBox& seen, std::atomic<bool>& found) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    HWND box = nullptr;
    EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&box));
    if (box) {
      seen.caption = TextOf(box);
      seen.text = TextOf(GetDlgItem(box, 0xFFFF));
      seen.owner = GetWindow(box, GW_OWNER);
      found = true;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

SeenBox ShowAndWatch(HWND owner, TMessageKind kind, const std::string& caption,
                     const std::string& text) {
  SeenBox seen;
  std::atomic<bool> found{false};
  std::thread watcher(WatchForBox, GetCurrentThreadId(), std::ref(seen), std::ref(found));
  ShowOwnedMessageBox(owner, kind, caption, text);
  watcher.join();
  EXPECT_TRUE(found) << "no message box appeared";
  return seen;
}

TEST(Win32Desktop, MessageBoxesAreOwnedByTheApplicationWindow) {
  const TopLevelWindow application(UniqueTitle("application"));
  ASSERT_NE(application.Handle(), nullptr);

  const SeenBox error =
      ShowAndWatch(application.Handle(), mkError, "Error", "Halvora is running.\rPlease close");
  EXPECT_EQ(error.caption, "Error");
  EXPECT_EQ(error.text, "Halvora is running.\rPlease close");
  EXPECT_EQ(error.owner, application.Handle());

  const SeenBox information =
      ShowAndWatch(application.Handle(), mkInformation, "Installation", "installed");
  EXPECT_EQ(information.caption, "Installation");
  EXPECT_EQ(information.text, "installed");
  EXPECT_EQ(information.owner, application.Handle());
}

// Wine does not raise a box for MB_TOPMOST, so the style itself is checked.
TEST(Win32Desktop, MessageBoxStylesAreTaskModalTopMostWithTheIconOfTheirKind) {
  EXPECT_EQ(MessageBoxStyle(mkInformation) & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(MessageBoxStyle(mkError) & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  for (const TMessageKind kind : {mkInformation, mkError}) {
    EXPECT_EQ(MessageBoxStyle(kind) & MB_MODEMASK, static_cast<UINT>(MB_TASKMODAL));
    EXPECT_NE(MessageBoxStyle(kind) & MB_TOPMOST, 0u);
    EXPECT_EQ(MessageBoxStyle(kind) & MB_TYPEMASK, static_cast<UINT>(MB_OK));
  }
}

}  // namespace
