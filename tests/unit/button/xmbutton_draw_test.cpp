// The glyph button's drawing and property logic, without a window, on a memory
// surface: the Install and Close buttons of the installer window and the cases
// around them.
#include <gtest/gtest.h>

#include <functional>

#include "button/BuiltinGlyphs.h"
#include "button/ButtonColors.h"
#include "painted_button.h"

namespace {

const TColor kFace = RGBColor(240, 240, 240);
const TColor kShadow = RGBColor(160, 160, 160);
constexpr unsigned kCaptionFlags = 0x25;

class XMButtonDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    OverrideSystemColor(SysColorBtnFace, kFace);
    OverrideSystemColor(SysColorBtnShadow, kShadow);
  }
  void TearDown() override {
    OverrideSystemColor(SysColorBtnFace, std::nullopt);
    OverrideSystemColor(SysColorBtnShadow, std::nullopt);
  }

  // The Install button: 95 x 30, OffX 2, bkOk, with a stored glyph of its own.
  static std::unique_ptr<TPaintedButton> InstallButton() {
    auto button = std::make_unique<TPaintedButton>(95, 30);
    button->caption = "Install";
    button->font.SetColor(RGBColor(10, 20, 30));
    button->Bitmap().Assign(StoredGlyph());
    button->SetBitmapKind(bkOk);
    button->SetOffX(2);
    button->repaints = 0;
    return button;
  }

  // A stored 16 x 16 glyph: a red square on a white key.
  static TBitmap StoredGlyph() {
    TBitmap glyph;
    glyph.SetSize(16, 16);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        glyph.SetPixel(x, y, x > 3 && x < 12 && y > 3 && y < 12 ? 0x0000FF : clWhite);
    return glyph;
  }

  // Every glyph pixel that is not the key shows `expected(c)` at (x, y) + its
  // position; key pixels show the face's fill.
  template <class Expected>
  static void ExpectGlyphAt(TMemorySurface& surface, int x, int y, const TGlyphImage& image,
                            TColor fill, Expected expected) {
    for (int gy = 0; gy < 16; ++gy)
      for (int gx = 0; gx < 16; ++gx) {
        const TColor c = static_cast<TColor>(image[static_cast<std::size_t>(gy * 16 + gx)]);
        EXPECT_EQ(surface.GetPixel(x + gx, y + gy), c == clWhite ? fill : expected(c))
            << "glyph pixel (" << gx << ", " << gy << ")";
      }
  }

  static void ExpectNoGlyph(TMemorySurface& surface, const TRect& interior, TColor fill) {
    for (int y = interior.Top; y < interior.Bottom; ++y)
      for (int x = interior.Left; x < interior.Right; ++x)
        ASSERT_EQ(surface.GetPixel(x, y), fill) << x << "," << y;
  }

  static void ExpectSamePixels(TPaintedButton& a, TPaintedButton& b) {
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 95; ++x)
        ASSERT_EQ(a.Surface().GetPixel(x, y), b.Surface().GetPixel(x, y)) << x << "," << y;
  }

  static void ExpectCaption(const TMemorySurface& surface, const TRect& rect, TColor textColor,
                            TColor back) {
    ASSERT_EQ(surface.Texts().size(), 1u);
    const TRecordedText& text = surface.Texts()[0];
    EXPECT_EQ(text.Rect, rect);
    EXPECT_EQ(text.Flags, kCaptionFlags);
    EXPECT_EQ(text.TextColor, textColor);
    EXPECT_EQ(text.BackColor, back);
  }
};

TColor Greyed(TColor c) {
  return RGBColor(static_cast<std::uint8_t>((RedOf(c) + 3 * 240) / 4),
                  static_cast<std::uint8_t>((GreenOf(c) + 3 * 240) / 4),
                  static_cast<std::uint8_t>((BlueOf(c) + 3 * 240) / 4));
}
TColor Same(TColor c) {
  return c;
}

TEST_F(XMButtonDrawing, InstallButtonDisabledShowsTheGreyedOkGlyph) {
  auto button = InstallButton();
  button->enabled = false;
  button->Draw(ItemState::Disabled);

  ExpectGlyphAt(button->Surface(), 10, 7, kOkGlyph, kFace, Greyed);
  ExpectCaption(button->Surface(), {21, 3, 92, 27}, kShadow, kFace);
  EXPECT_EQ(button->Surface().Texts()[0].Text, "Install");
  EXPECT_EQ(button->LoadedKind(), bkOk);
  EXPECT_FALSE(button->DisabledBitmap().Empty());
}

TEST_F(XMButtonDrawing, InstallButtonEnabledShowsTheOkGlyphInColour) {
  auto button = InstallButton();
  button->Draw(0);
  ExpectGlyphAt(button->Surface(), 10, 7, kOkGlyph, kFace, Same);
  ExpectCaption(button->Surface(), {21, 3, 92, 27}, RGBColor(10, 20, 30), kFace);
  EXPECT_TRUE(button->DisabledBitmap().Empty()) << "derived only when first drawn disabled";
}

TEST_F(XMButtonDrawing, DisabledPropertyGreysEvenWhenTheItemStateSaysEnabled) {
  auto button = InstallButton();
  button->enabled = false;
  button->Draw(0);
  ExpectGlyphAt(button->Surface(), 10, 7, kOkGlyph, kFace, Greyed);
  EXPECT_EQ(button->Surface().Texts()[0].TextColor, kShadow);
}

TEST_F(XMButtonDrawing, InstallButtonHeldMovesGlyphAndTextOnePixel) {
  auto button = InstallButton();
  button->Draw(ItemState::Selected | ItemState::Focus);
  const TColor lit = ColorAdd(kFace, 0x0C0C0C);
  ExpectGlyphAt(button->Surface(), 11, 8, kOkGlyph, lit, Same);
  ExpectCaption(button->Surface(), {22, 4, 93, 28}, RGBColor(10, 20, 30), lit);
  EXPECT_TRUE(button->ShowsFocus());
}

TEST_F(XMButtonDrawing, DownDrawsThePushedLookWithoutAnyPress) {
  auto held = InstallButton();
  held->Draw(ItemState::Selected);
  auto down = InstallButton();
  down->SetDown(true);
  down->Draw(0);
  EXPECT_EQ(down->repaints, 1);
  ExpectSamePixels(*down, *held);
  EXPECT_EQ(down->Surface().Texts()[0].Rect, (TRect{22, 4, 93, 28}));
}

TEST_F(XMButtonDrawing, CloseButtonWithAStoredGlyphButNoKindShowsOnlyItsCaption) {
  TPaintedButton close(84, 30);
  close.caption = "Close";
  close.Bitmap().Assign(StoredGlyph());
  close.Draw(0);
  ExpectNoGlyph(close.Surface(), {2, 2, 82, 28}, kFace);
  ExpectCaption(close.Surface(), {3, 3, 81, 27}, ResolveColor(close.font.Color()), kFace);
  EXPECT_EQ(close.BitmapKind(), bkNone);
}

TEST_F(XMButtonDrawing, CustomGlyphOfAnySizeIsPlacedByTheSameArithmetic) {
  TPaintedButton button(60, 21);
  TBitmap glyph;
  glyph.SetSize(5, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) glyph.SetPixel(x, y, RGBColor(0, 0, 200));
  glyph.SetPixel(0, 3, RGBColor(1, 1, 1));  // the key, bottom left
  button.SetBitmap(&glyph);
  button.SetOffY(-1);
  button.Draw(0);
  // x = (21 - 5) / 2 + 0 + 1 = 9, y = (0 + 21 - 4) / 2 - 1 = 7
  EXPECT_EQ(button.Surface().GetPixel(9, 7), RGBColor(0, 0, 200));
  EXPECT_EQ(button.Surface().GetPixel(8, 7), kFace);
  EXPECT_EQ(button.Surface().GetPixel(9, 10), kFace) << "key pixel left undrawn";
  EXPECT_EQ(button.Surface().GetPixel(13, 10), RGBColor(0, 0, 200));
  EXPECT_EQ(button.Surface().Texts()[0].Rect, (TRect{10, 3, 57, 18}));
}

TEST_F(XMButtonDrawing, NegativeHalvesRoundTowardZero) {
  TPaintedButton button(40, 6);
  TBitmap glyph;
  glyph.SetSize(9, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) glyph.SetPixel(x, y, RGBColor(0, 0, 200));
  glyph.SetPixel(0, 8, RGBColor(1, 1, 1));
  button.SetBitmap(&glyph);
  button.Draw(0);
  // x = (6 - 9) / 2 + 1 = -1 + 1 = 0 and y = (0 + 6 - 9) / 2 = -1: column 0 and row 0 are glyph.
  EXPECT_EQ(button.Surface().GetPixel(0, 0), RGBColor(0, 0, 200));
  EXPECT_EQ(button.Surface().GetPixel(8, 5), RGBColor(0, 0, 200));
  EXPECT_NE(button.Surface().GetPixel(9, 3), RGBColor(0, 0, 200));
}

TEST_F(XMButtonDrawing, KindNoneDrawsNoGlyphAndCentresTheCaptionOverTheWholeButton) {
  TPaintedButton button(95, 30);
  button.Bitmap().Assign(StoredGlyph());
  button.Draw(0);
  ExpectNoGlyph(button.Surface(), {2, 2, 93, 28}, kFace);
  EXPECT_EQ(button.Surface().Texts()[0].Rect, (TRect{3, 3, 92, 27}));
}

TEST_F(XMButtonDrawing, CustomKindWithoutAnImageDoesNotMoveTheText) {
  TPaintedButton button(95, 30);
  button.SetBitmapKind(bkCustom);
  button.Draw(0);
  ExpectNoGlyph(button.Surface(), {2, 2, 93, 28}, kFace);
  EXPECT_EQ(button.Surface().Texts()[0].Rect, (TRect{3, 3, 92, 27}));
}

TEST_F(XMButtonDrawing, HideFocusDrawsAFocusedButtonLikeAnUnfocusedOne) {
  auto plain = InstallButton();
  plain->Draw(0);
  auto focused = InstallButton();
  focused->Draw(ItemState::Focus);
  auto hidden = InstallButton();
  hidden->SetHideFocus(true);
  hidden->Draw(ItemState::Focus);

  EXPECT_NE(focused->Surface().GetPixel(50, 15), plain->Surface().GetPixel(50, 15))
      << "focus lightens the fill";
  ExpectSamePixels(*hidden, *plain);
  EXPECT_EQ(hidden->Surface().Texts()[0].BackColor, plain->Surface().Texts()[0].BackColor);
  EXPECT_TRUE(hidden->ShowsFocus()) << "the state is still recorded";
}

TEST_F(XMButtonDrawing, HotTrackChangesNothingButRepaints) {
  auto plain = InstallButton();
  plain->Draw(0);
  auto tracked = InstallButton();
  tracked->SetHotTrack(true);
  tracked->Draw(0);
  EXPECT_EQ(tracked->repaints, 1);
  ExpectSamePixels(*tracked, *plain);
}

TEST_F(XMButtonDrawing, SettersRepaintOnlyOnAChange) {
  TPaintedButton button(20, 20);
  const std::function<void(bool)> setters[] = {
      [&](bool on) { button.SetDown(on); },
      [&](bool on) { button.SetHotTrack(on); },
      [&](bool on) { button.SetHideFocus(on); },
      [&](bool on) { button.SetOffX(on ? 3 : 0); },
      [&](bool on) { button.SetOffY(on ? -2 : 0); },
      [&](bool on) { button.SetBitmapKind(on ? bkHelp : bkNone); },
      [&](bool on) { button.FocusHook(on); }};
  for (const auto& set : setters) {
    button.repaints = 0;
    set(false);
    EXPECT_EQ(button.repaints, 0) << "already the value";
    set(true);
    set(true);
    EXPECT_EQ(button.repaints, 1);
    set(false);
    EXPECT_EQ(button.repaints, 2);
  }
}

TEST_F(XMButtonDrawing, KindChangeSwapsTheImageAtTheNextDrawAndKeepsItAfterwards) {
  TPaintedButton button(30, 30);
  button.SetBitmapKind(bkCancel);
  EXPECT_EQ(button.LoadedKind(), bkNone) << "not before the draw";
  button.Draw(ItemState::Disabled);
  EXPECT_EQ(button.DisabledBitmap().Pixel(7, 7), clWhite) << "cross core stays the key";
  const TColor greyedCancel = button.DisabledBitmap().Pixel(3, 7);

  button.SetBitmapKind(bkHelp);
  button.Draw(0);
  EXPECT_NE(button.DisabledBitmap().Pixel(3, 7), greyedCancel) << "derived again for the new image";
  EXPECT_EQ(static_cast<std::uint32_t>(button.Bitmap().Pixel(8, 3)), kHelpGlyph[3 * 16 + 8]);

  button.SetBitmapKind(bkCustom);
  button.Draw(0);
  EXPECT_EQ(static_cast<std::uint32_t>(button.Bitmap().Pixel(8, 3)), kHelpGlyph[3 * 16 + 8])
      << "nothing reloads a custom image";
}

class BitmapSetter : public XMButtonDrawing {};

TEST_F(BitmapSetter, AnImageSwitchesKindNoneToCustomAndNothingSwitchesItBack) {
  TPaintedButton button(30, 30);
  const TBitmap glyph = StoredGlyph();
  button.SetBitmap(&glyph);
  EXPECT_EQ(button.BitmapKind(), bkCustom);
  EXPECT_EQ(button.LoadedKind(), bkCustom);
  EXPECT_EQ(button.repaints, 1);
  EXPECT_TRUE(button.Bitmap().Transparent());
  EXPECT_EQ(button.Bitmap().Pixel(5, 5), 0x0000FF);

  button.SetBitmap(nullptr);
  EXPECT_EQ(button.BitmapKind(), bkNone);
  EXPECT_EQ(button.LoadedKind(), bkNone);
  EXPECT_TRUE(button.Bitmap().Empty());
  EXPECT_EQ(button.repaints, 2);
}

TEST_F(BitmapSetter, AnImageAfterTheOkImageWasLoadedIsShown) {
  auto button = InstallButton();
  button->Draw(0);
  const TBitmap glyph = StoredGlyph();
  button->SetBitmap(&glyph);
  EXPECT_EQ(button->BitmapKind(), bkOk);
  EXPECT_EQ(button->repaints, 0) << "no kind change, no repaint";
  button->Draw(0);
  EXPECT_EQ(button->Surface().GetPixel(10 + 5, 7 + 5), 0x0000FF);
}

TEST_F(BitmapSetter, DerivesTheGreyedImageAgainOnlyWhenOneExists) {
  TPaintedButton button(30, 30);
  const TBitmap glyph = StoredGlyph();
  button.SetBitmap(&glyph);
  EXPECT_TRUE(button.DisabledBitmap().Empty());

  button.enabled = false;
  button.Draw(0);
  EXPECT_EQ(button.DisabledBitmap().Pixel(5, 5), RGBColor(243, 180, 180));

  TBitmap black = glyph;
  black.SetPixel(5, 5, clBlack);
  button.SetBitmap(&black);
  EXPECT_EQ(button.DisabledBitmap().Pixel(5, 5), RGBColor(180, 180, 180));
}

}  // namespace
