// The glyph button as a real owner-drawn BUTTON under Wine: what the window
// system shows matches the memory-surface drawing, and clicks, dialog codes and
// focus moves behave.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "button/win32/MyButton.h"
#include "painted_button.h"
#include "tests/e2e/Screenshot.h"
#include "tests/e2e/UiDriver.h"
#include "toolkit/win32/FontHandle.h"
#include "window_test_support.h"

namespace {

struct ClickCounter : TObject {
  int clicks = 0;
  void Clicked(TObject*) { ++clicks; }
};

class XMButtonWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    edit = new TEditBox(&window);
    edit->SetParent(&window);
    edit->SetBounds(200, 100, 80, 22);
    install = new TXMButton(&window);
    install->SetParent(&window);
    install->SetBounds(8, 8, 95, 30);
    install->SetCaption("Install");
    install->SetBitmapKind(bkOk);
    install->SetOffX(2);
    install->OnClick = TNotifyEvent(&counter, &ClickCounter::Clicked);
  }

  // Where DrawText puts the caption inside `rect`, with two pixels of slack, in the
  // face this machine draws the font in (noted in `captionFace` and the test's record).
  TRect CaptionBox(const TRect& rect) {
    TFontHandle font;
    TWindowDC dc(install->Handle());
    TSelection selected(dc.Get(), font.For(install->Font()));
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc.Get(), LF_FACESIZE, face);
    captionFace = face;
    RecordProperty("face", captionFace);
    std::printf("[   INFO   ] button caption drawn in %s\n", face);
    RECT extent{0, 0, 0, 0};
    DrawTextA(dc.Get(), "Install", -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    const int left = rect.Left + (rect.Width() - extent.right) / 2;
    const int top = rect.Top + (rect.Height() - extent.bottom) / 2;
    return {left - 2, top - 2, left + extent.right + 2, top + extent.bottom + 2};
  }

  // Compares the button on the screen with the memory drawing of the same
  // state, everywhere but the caption, and checks that the caption is there: a
  // clear cluster of ink of the text colour on the face, in any face and with any
  // smoothing (e2e::IsInk), centred where DrawText puts it.
  void ExpectScreenMatches(unsigned itemState, const TRect& textRect, TColor textColor) {
    PumpMessages();
    const TScreenPixels screen = CaptureClient(install->Handle());
    ASSERT_EQ(screen.Width, 95);
    ASSERT_EQ(screen.Height, 30);

    TPaintedButton expected(95, 30);
    expected.enabled = install->Enabled();
    expected.color = install->Color();
    expected.SetBitmapKind(bkOk);
    expected.SetOffX(2);
    expected.Draw(itemState);
    ASSERT_EQ(expected.Surface().Texts()[0].Rect, textRect);

    const TRect caption = CaptionBox(textRect);
    const auto ink = static_cast<COLORREF>(ResolveColor(textColor));
    int mismatches = 0, textPixels = 0, inkLeft = 95, inkRight = -1;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 95; ++x) {
        const auto drawn = static_cast<COLORREF>(expected.Surface().GetPixel(x, y));
        if (caption.Contains(x, y)) {
          if (!e2e::IsInk(static_cast<COLORREF>(screen.At(x, y)), ink, drawn)) continue;
          ++textPixels;
          inkLeft = std::min(inkLeft, x);
          inkRight = std::max(inkRight, x + 1);
          continue;
        }
        if (screen.At(x, y) != static_cast<TColor>(drawn) && ++mismatches <= 5)
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << screen.At(x, y)
                        << ", drawn " << drawn;
      }
    EXPECT_EQ(mismatches, 0);
    ASSERT_GT(textPixels, 5) << "the caption in its colour, in " << captionFace;
    EXPECT_NEAR(inkLeft + inkRight, caption.Left + caption.Right, 6)
        << "the caption off centre, in " << captionFace;
  }

  TTestWindow window;
  TEditBox* edit = nullptr;
  TXMButton* install = nullptr;
  ClickCounter counter;
  std::string captionFace;
};

TEST_F(XMButtonWindow, IsAnOwnerDrawnPushButtonWithTheDocumentedDefaults) {
  TXMButton plain(nullptr);
  EXPECT_EQ(plain.Width(), 75);
  EXPECT_EQ(plain.Height(), 25);
  EXPECT_TRUE(plain.TabStop());
  EXPECT_FALSE(plain.Down());
  EXPECT_FALSE(plain.HotTrack());
  EXPECT_FALSE(plain.HideFocus());
  EXPECT_EQ(plain.OffX(), 0);
  EXPECT_EQ(plain.BitmapKind(), bkNone);
  EXPECT_EQ(plain.LoadedKind(), bkNone);
  EXPECT_TRUE(plain.Bitmap().Empty());
  EXPECT_TRUE(plain.DisabledBitmap().Empty());

  install->SetDefault(true);
  window.Show();
  EXPECT_EQ(ButtonType(install->Handle()), BS_OWNERDRAW) << "even as the default button";
}

TEST_F(XMButtonWindow, ScreenShowsTheDisabledEnabledAndHeldDrawings) {
  install->SetEnabled(false);
  window.Show();
  edit->SetFocus();
  ExpectScreenMatches(ItemState::Disabled, {21, 3, 92, 27}, clBtnShadow);

  install->SetEnabled(true);
  ExpectScreenMatches(0, {21, 3, 92, 27}, install->Font().Color());

  install->Perform(BM_SETSTATE, TRUE, 0);
  ExpectScreenMatches(ItemState::Selected, {22, 4, 93, 28}, install->Font().Color());
  install->Perform(BM_SETSTATE, FALSE, 0);
}

TEST_F(XMButtonWindow, DoubleClickGivesTwoClicks) {
  window.Show();
  const LPARAM at = MAKELPARAM(10, 10);
  HWND h = install->Handle();
  PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(h, WM_LBUTTONUP, 0, at);
  PostMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(h, WM_LBUTTONUP, 0, at);
  PumpMessages(100);
  EXPECT_EQ(counter.clicks, 2);
}

TEST_F(XMButtonWindow, DownSurvivesAClick) {
  // A face darker than the system's, so that its lit fill does not saturate to
  // the glyph's white key.
  install->SetColor(RGBColor(180, 200, 220));
  window.Show();
  install->SetDown(true);
  e2e::PostClick(install->Handle());
  PumpMessages(50);
  EXPECT_EQ(counter.clicks, 1);
  EXPECT_TRUE(install->Down());
  edit->SetFocus();
  ExpectScreenMatches(ItemState::Selected, {22, 4, 93, 28}, install->Font().Color());
}

TEST_F(XMButtonWindow, ClaimsNoKeysAndMeasuresItsOwnSize) {
  window.Show();
  EXPECT_EQ(install->Perform(WM_GETDLGCODE, 0, 0), 0);
  MEASUREITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(install->Handle()));
  EXPECT_TRUE(
      SendMessageA(window.Handle(), WM_MEASUREITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(item.itemWidth, 95u);
  EXPECT_EQ(item.itemHeight, 30u);
}

// Records what the toolkit tells the default-state hook.
class TRecordingButton : public TXMButton {
 public:
  using TXMButton::TXMButton;
  std::vector<bool> hookCalls;

 protected:
  void ShowDefaultState(bool isDefault) override {
    hookCalls.push_back(isDefault);
    TXMButton::ShowDefaultState(isDefault);
  }
};

TEST_F(XMButtonWindow, FocusMovesReachTheHookAndKeepTheOwnerDrawnStyle) {
  auto* recording = new TRecordingButton(&window);
  recording->SetParent(&window);
  recording->SetBounds(8, 50, 95, 30);
  recording->SetDefault(true);
  auto* other = new TButton(&window);
  other->SetParent(&window);
  other->SetBounds(120, 8, 75, 25);
  window.Show();

  const auto moveFocusTo = [&](TWinControl* control) {
    recording->hookCalls.clear();
    control->SetFocus();
    PumpMessages(30);
    return recording->hookCalls;
  };
  EXPECT_EQ(moveFocusTo(edit), std::vector<bool>{true})
      << "the default button, focus on a non-button";
  EXPECT_EQ(ButtonType(recording->Handle()), BS_OWNERDRAW);
  // The repaint the hook asked for read the focus bit again: the face follows it.
  EXPECT_FALSE(recording->ShowsFocus());

  EXPECT_EQ(moveFocusTo(other), std::vector<bool>{false});
  EXPECT_EQ(ButtonType(recording->Handle()), BS_OWNERDRAW);
  EXPECT_EQ(ButtonType(other->Handle()), BS_DEFPUSHBUTTON);

  EXPECT_EQ(moveFocusTo(recording), std::vector<bool>{true});
  EXPECT_TRUE(recording->ShowsFocus());
  EXPECT_EQ(ButtonType(recording->Handle()), BS_OWNERDRAW);
}

TEST_F(XMButtonWindow, FocusedButtonShowsTheLitFace) {
  install->SetColor(RGBColor(180, 200, 220));
  window.Show();
  install->SetFocus();
  ExpectScreenMatches(ItemState::Focus, {21, 3, 92, 27}, install->Font().Color());
}

}  // namespace
