#include "button/XMButtonCore.h"

#include <algorithm>
#include <limits>

#include "button/BuiltinGlyphs.h"
#include "button/DisabledGlyph.h"
#include "button/FlatFace.h"

namespace {
const TGlyphImage* BuiltinImageOf(TBitmapKind kind) {
  switch (kind) {
    case bkOk:
      return &kOkGlyph;
    case bkCancel:
      return &kCancelGlyph;
    case bkHelp:
      return &kHelpGlyph;
    default:
      return nullptr;
  }
}

// Glyph positions are computed wide so that extreme offsets cannot overflow.
int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}
}  // namespace

TXMButtonCore::TXMButtonCore(std::unique_ptr<TSurface> faceCanvas)
    : faceCanvas_(std::move(faceCanvas)),
      bitmap_(std::make_unique<TBitmap>()),
      disabledBitmap_(std::make_unique<TBitmap>()) {}

TXMButtonCore::~TXMButtonCore() {
  faceCanvas_.reset();
  disabledBitmap_.reset();
  bitmap_.reset();
}

void TXMButtonCore::SetDown(bool down) {
  if (down == down_) return;
  down_ = down;
  RepaintNow();
}

void TXMButtonCore::SetHotTrack(bool hotTrack) {
  if (hotTrack == hotTrack_) return;
  hotTrack_ = hotTrack;
  RepaintNow();
}

void TXMButtonCore::SetHideFocus(bool hideFocus) {
  if (hideFocus == hideFocus_) return;
  hideFocus_ = hideFocus;
  RepaintNow();
}

void TXMButtonCore::SetOffX(std::int32_t offX) {
  if (offX == offX_) return;
  offX_ = offX;
  RepaintNow();
}

void TXMButtonCore::SetOffY(std::int32_t offY) {
  if (offY == offY_) return;
  offY_ = offY;
  RepaintNow();
}

void TXMButtonCore::SetBitmapKind(TBitmapKind kind) {
  if (kind == bitmapKind_) return;
  bitmapKind_ = kind;
  RepaintNow();
}

void TXMButtonCore::SetBitmap(const TBitmap* bitmap) {
  if (bitmap)
    bitmap_->Assign(*bitmap);
  else
    bitmap_->Clear();
  bitmap_->SetTransparent(true);
  if (!disabledBitmap_->Empty()) DeriveDisabledBitmap();
  if (bitmapKind_ == bkNone && bitmap) {
    SetBitmapKind(bkCustom);
    loadedKind_ = bkCustom;
  }
  if (bitmapKind_ == bkCustom && !bitmap) {
    SetBitmapKind(bkNone);
    loadedKind_ = bkNone;
  }
}

void TXMButtonCore::ShowFocusState(bool showsFocus) {
  if (showsFocus == showsFocus_) return;
  showsFocus_ = showsFocus;
  RepaintNow();
}

void TXMButtonCore::DeriveDisabledBitmap() {
  ::DeriveDisabledBitmap(*bitmap_, *disabledBitmap_);
}

void TXMButtonCore::DrawButton(unsigned itemState) {
  bool enabled = (itemState & ItemState::Disabled) == 0;
  const bool held = (itemState & ItemState::Selected) != 0;
  showsFocus_ = (itemState & ItemState::Focus) != 0;
  if (!ControlEnabled()) enabled = false;

  TRect rect = FaceRect();
  const bool pressed = held || down_;
  PaintFlatFace(rect, *faceCanvas_, FaceColor(), pressed, showsFocus_ && !hideFocus_);

  if (bitmapKind_ != loadedKind_) LoadKindImage();
  if (bitmapKind_ != bkNone && !bitmap_->Empty()) DrawGlyph(rect, enabled, pressed);

  rect = {rect.Left + 3, rect.Top + 3, rect.Right - 3, rect.Bottom - 3};
  if (pressed) rect = {rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1};
  faceCanvas_->SelectFont(CaptionFont());
  if (!enabled) faceCanvas_->SetTextColor(clBtnShadow);
  faceCanvas_->TextInRect(rect, CaptionText(),
                          TextFlags::SingleLine | TextFlags::VCenter | TextFlags::Center);
}

void TXMButtonCore::LoadKindImage() {
  loadedKind_ = bitmapKind_;
  if (const TGlyphImage* image = BuiltinImageOf(bitmapKind_)) {
    LoadBuiltinGlyph(*bitmap_, *image);
    if (!disabledBitmap_->Empty()) DeriveDisabledBitmap();
  }
  bitmap_->SetTransparent(true);
}

void TXMButtonCore::DrawGlyph(TRect& rect, bool enabled, bool pressed) {
  // The glyph sits centred in a square of the button's height at its left end.
  const std::int64_t side = std::int64_t{rect.Bottom} - rect.Top;
  const int width = bitmap_->Width();
  const int height = bitmap_->Height();
  std::int64_t x = (side - width) / 2 + offX_ + 1;
  std::int64_t y = (std::int64_t{rect.Top} + rect.Bottom - height) / 2 + offY_;
  if (pressed) {
    ++x;
    ++y;
  }
  if (enabled) {
    faceCanvas_->DrawBitmap(ClampToInt(x), ClampToInt(y), *bitmap_);
  } else {
    if (disabledBitmap_->Empty()) DeriveDisabledBitmap();
    faceCanvas_->DrawBitmap(ClampToInt(x), ClampToInt(y), *disabledBitmap_);
  }
  rect.Left += width + 2;
}
