// The control base on real windows under Wine: properties reach the window,
// notifications reach the child's own object, focus moves reach every button.
#include <gtest/gtest.h>

#include "toolkit/win32/Button.h"
#include "window_test_support.h"

namespace {

struct ClickCounter : TObject {
  int clicks = 0;
  TObject* sender = nullptr;
  void Clicked(TObject* from) {
    ++clicks;
    sender = from;
  }
};

RECT BoundsInParent(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(WinControl, ChildWindowFollowsItsProperties) {
  TTestWindow window;
  auto* button = new TButton(&window);
  button->SetParent(&window);
  button->SetCaption("Install");
  EXPECT_FALSE(button->HandleAllocated()) << "made on demand";
  window.Show();

  HWND h = button->Handle();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(GetParent(h), window.Handle());
  EXPECT_EQ(TWinControl::FromHandle(h), button);
  EXPECT_EQ(TWinControl::FromHandle(GetDesktopWindow()), nullptr);
  char text[32] = {};
  GetWindowTextA(h, text, sizeof text);
  EXPECT_STREQ(text, "Install");
  EXPECT_EQ(button->ClientRect(), (TRect{0, 0, 75, 25}));
  EXPECT_NE(GetWindowLongPtrA(h, GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(ButtonType(h), BS_PUSHBUTTON);

  button->SetCaption("Close");
  GetWindowTextA(h, text, sizeof text);
  EXPECT_STREQ(text, "Close");
  button->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(h));
  button->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(h));
  button->SetBounds(8, 9, 95, 30);
  const RECT r = BoundsInParent(h);
  EXPECT_EQ(r.left, 8);
  EXPECT_EQ(r.top, 9);
  EXPECT_EQ(r.right - r.left, 95);
  EXPECT_EQ(r.bottom - r.top, 30);
  button->SetTabStop(false);
  EXPECT_EQ(GetWindowLongPtrA(h, GWL_STYLE) & WS_TABSTOP, 0);

  SetWindowPos(h, nullptr, 20, 21, 50, 40, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(button->BoundsRect(), (TRect{20, 21, 70, 61}))
      << "moves by the window system are recorded";
}

TEST(WinControl, FontAndColourFollowTheParentUntilSetOwn) {
  TTestWindow window;
  auto* follower = new TButton(&window);
  follower->SetParent(&window);
  auto* own = new TButton(&window);
  own->SetParent(&window);
  own->Font().SetName("Arial");
  auto* label = new TStaticText(&window);
  label->SetParent(&window);
  label->SetBounds(10, 60, 60, 20);
  window.Show();

  const auto fontOf = [](TWinControl* c) {
    return reinterpret_cast<HFONT>(c->Perform(WM_GETFONT, 0, 0));
  };
  const HFONT before = fontOf(follower);
  ASSERT_NE(before, nullptr);
  window.Font().SetName("Segoe UI");
  EXPECT_EQ(follower->Font().Name(), "Segoe UI");
  EXPECT_TRUE(follower->ParentFont());
  EXPECT_NE(fontOf(follower), before);
  EXPECT_EQ(own->Font().Name(), "Arial");
  EXPECT_FALSE(own->ParentFont());

  window.SetColor(RGBColor(200, 30, 40));
  EXPECT_EQ(label->Color(), RGBColor(200, 30, 40));
  label->Invalidate();
  PumpMessages();
  const TScreenPixels pixels = CaptureClient(label->Handle());
  ASSERT_GT(pixels.Width, 0);
  EXPECT_EQ(pixels.At(pixels.Width - 2, pixels.Height - 2), RGBColor(200, 30, 40))
      << "the static asked its parent for its colours and got its own control's";
}

TEST(WinControl, CommandsReachTheChildsOwnObject) {
  TTestWindow window;
  auto* button = new TButton(&window);
  button->SetParent(&window);
  ClickCounter counter;
  button->OnClick = TNotifyEvent(&counter, &ClickCounter::Clicked);
  window.Show();
  // The click as the parent hears of it, whichever window is active (BM_CLICK's mouse
  // messages may be dropped in a window that is not).
  const HWND h = button->Handle();
  PostMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), BN_CLICKED),
               reinterpret_cast<LPARAM>(h));
  PumpMessages(50);
  EXPECT_EQ(counter.clicks, 1);
  EXPECT_EQ(counter.sender, button);
}

TEST(WinControl, TabOrderIsTheWindowOrder) {
  TTestWindow window;
  TButton* buttons[3];
  for (auto*& b : buttons) {
    b = new TButton(&window);
    b->SetParent(&window);
  }
  buttons[2]->SetTabOrder(0);
  EXPECT_EQ(buttons[2]->TabOrder(), 0);
  EXPECT_EQ(buttons[0]->TabOrder(), 1);
  window.Show();
  HWND first = GetWindow(window.Handle(), GW_CHILD);
  EXPECT_EQ(first, buttons[2]->Handle());
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), buttons[0]->Handle());

  buttons[1]->SetTabOrder(99);  // past the end: last
  EXPECT_EQ(buttons[1]->TabOrder(), 2);
  EXPECT_EQ(GetWindow(buttons[0]->Handle(), GW_HWNDNEXT), buttons[1]->Handle());
  EXPECT_EQ(GetNextDlgTabItem(window.Handle(), buttons[2]->Handle(), FALSE), buttons[0]->Handle());
}

TEST(Button, DefaultStateFollowsTheFocus) {
  TTestWindow window;
  auto* edit = new TEditBox(&window);
  edit->SetParent(&window);
  auto* ok = new TButton(&window);
  ok->SetParent(&window);
  ok->SetDefault(true);
  auto* cancel = new TButton(&window);
  cancel->SetParent(&window);
  window.Show();
  EXPECT_EQ(ButtonType(ok->Handle()), BS_DEFPUSHBUTTON) << "created as the default";

  cancel->SetFocus();
  PumpMessages(30);
  EXPECT_EQ(ButtonType(ok->Handle()), BS_PUSHBUTTON);
  EXPECT_EQ(ButtonType(cancel->Handle()), BS_DEFPUSHBUTTON);

  edit->SetFocus();
  PumpMessages(30);
  EXPECT_EQ(ButtonType(ok->Handle()), BS_DEFPUSHBUTTON)
      << "the default button, focus on a non-button";
  EXPECT_EQ(ButtonType(cancel->Handle()), BS_PUSHBUTTON);
}

TEST(WinControl, ChildWindowsGoWithTheParentsAndComeBackWithIt) {
  auto* window = new TTestWindow;
  auto* button = new TButton(window);
  button->SetParent(window);
  auto* stray = new TButton(nullptr);  // placed on the window, owned by nobody
  stray->SetParent(window);
  window->Show();
  ASSERT_TRUE(button->HandleAllocated());

  window->DestroyHandle();
  EXPECT_FALSE(window->HandleAllocated());
  EXPECT_FALSE(button->HandleAllocated());
  ASSERT_TRUE(window->HandleNeeded());
  EXPECT_TRUE(button->HandleAllocated());
  EXPECT_TRUE(IsWindow(button->Handle()));

  delete window;  // destroys `button` with it; `stray` is only let go
  EXPECT_EQ(stray->Parent(), nullptr);
  EXPECT_FALSE(stray->HandleAllocated());
  delete stray;
}

}  // namespace
