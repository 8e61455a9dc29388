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
    : FaceCanvas_(std::move(faceCanvas)),
      Bitmap_(std::make_unique<TBitmap>()),
      DisabledBitmap_(std::make_unique<TBitmap>()) {}

TXMButtonCore::~TXMButtonCore() {
  FaceCanvas_.reset();
  DisabledBitmap_.reset();
  Bitmap_.reset();
}

void TXMButtonCore::SetDown(bool down) {
  if (down == Down_) return;
  Down_ = down;
  RepaintNow();
}

void TXMButtonCore::SetHotTrack(bool hotTrack) {
  if (hotTrack == HotTrack_) return;
  HotTrack_ = hotTrack;
  RepaintNow();
}

void TXMButtonCore::SetHideFocus(bool hideFocus) {
  if (hideFocus == HideFocus_) return;
  HideFocus_ = hideFocus;
  RepaintNow();
}

void TXMButtonCore::SetOffX(std::int32_t offX) {
  if (offX == OffX_) return;
  OffX_ = offX;
  RepaintNow();
}

void TXMButtonCore::SetOffY(std::int32_t offY) {
  if (offY == OffY_) return;
  OffY_ = offY;
  RepaintNow();
}

void TXMButtonCore::SetBitmapKind(TBitmapKind kind) {
  if (kind == BitmapKind_) return;
  BitmapKind_ = kind;
  RepaintNow();
}

void TXMButtonCore::SetBitmap(const TBitmap* bitmap) {
  if (bitmap)
    Bitmap_->Assign(*bitmap);
  else
    Bitmap_->Clear();
  Bitmap_->SetTransparent(true);
  if (!DisabledBitmap_->Empty()) DeriveDisabledBitmap();
  if (BitmapKind_ == bkNone && bitmap) {
    SetBitmapKind(bkCustom);
    LoadedKind_ = bkCustom;
  }
  if (BitmapKind_ == bkCustom && !bitmap) {
    SetBitmapKind(bkNone);
    LoadedKind_ = bkNone;
  }
}

void TXMButtonCore::ShowFocusState(bool showsFocus) {
  if (showsFocus == ShowsFocus_) return;
  ShowsFocus_ = showsFocus;
  RepaintNow();
}

void TXMButtonCore::DeriveDisabledBitmap() {
  ::DeriveDisabledBitmap(*Bitmap_, *DisabledBitmap_);
}

void TXMButtonCore::DrawButton(unsigned itemState) {
  bool enabled = (itemState & ItemState::Disabled) == 0;
  const bool held = (itemState & ItemState::Selected) != 0;
  ShowsFocus_ = (itemState & ItemState::Focus) != 0;
  if (!ControlEnabled()) enabled = false;

  TRect rect = FaceRect();
  const bool pressed = held || Down_;
  PaintFlatFace(rect, *FaceCanvas_, FaceColor(), pressed, ShowsFocus_ && !HideFocus_);

  if (BitmapKind_ != LoadedKind_) LoadKindImage();
  if (BitmapKind_ != bkNone && !Bitmap_->Empty()) DrawGlyph(rect, enabled, pressed);

  rect = {rect.Left + 3, rect.Top + 3, rect.Right - 3, rect.Bottom - 3};
  if (pressed) rect = {rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1};
  FaceCanvas_->SelectFont(CaptionFont());
  if (!enabled) FaceCanvas_->SetTextColor(clBtnShadow);
  FaceCanvas_->TextInRect(rect, CaptionText(),
                          TextFlags::SingleLine | TextFlags::VCenter | TextFlags::Center);
}

void TXMButtonCore::LoadKindImage() {
  LoadedKind_ = BitmapKind_;
  if (const TGlyphImage* image = BuiltinImageOf(BitmapKind_)) {
    LoadBuiltinGlyph(*Bitmap_, *image);
    if (!DisabledBitmap_->Empty()) DeriveDisabledBitmap();
  }
  Bitmap_->SetTransparent(true);
}

void TXMButtonCore::DrawGlyph(TRect& rect, bool enabled, bool pressed) {
  // The glyph sits centred in a square of the button's height at its left end.
  const std::int64_t side = std::int64_t{rect.Bottom} - rect.Top;
  const int width = Bitmap_->Width();
  const int height = Bitmap_->Height();
  std::int64_t x = (side - width) / 2 + OffX_ + 1;
  std::int64_t y = (std::int64_t{rect.Top} + rect.Bottom - height) / 2 + OffY_;
  if (pressed) {
    ++x;
    ++y;
  }
  if (enabled) {
    FaceCanvas_->DrawBitmap(ClampToInt(x), ClampToInt(y), *Bitmap_);
  } else {
    if (DisabledBitmap_->Empty()) DeriveDisabledBitmap();
    FaceCanvas_->DrawBitmap(ClampToInt(x), ClampToInt(y), *DisabledBitmap_);
  }
  rect.Left += width + 2;
}
