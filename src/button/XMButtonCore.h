// What the glyph button TXMButton (MyButton.h) knows and does apart from its
// window: its fields, its property setters, the Bitmap setter and DrawButton over
// a drawing surface. Portable, so that all of it is checked natively on a memory
// surface; TXMButton supplies the window: the surface attached to the draw
// request's device context, repainting, and the control's Enabled, client
// rectangle, Color, Caption and Font.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/Component.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Font.h"
#include "toolkit/Rect.h"
#include "toolkit/Surface.h"

enum TBitmapKind : std::uint8_t { bkNone, bkCustom, bkOk, bkCancel, bkHelp };

// Item state bits of a draw request (the values of ODS_SELECTED, ODS_DISABLED
// and ODS_FOCUS).
namespace ItemState {
constexpr unsigned Selected = 0x0001;
constexpr unsigned Disabled = 0x0004;
constexpr unsigned Focus = 0x0010;
}  // namespace ItemState

class TXMButtonCore {
 public:
  explicit TXMButtonCore(std::unique_ptr<TSurface> faceCanvas);
  virtual ~TXMButtonCore();
  TXMButtonCore(const TXMButtonCore&) = delete;
  TXMButtonCore& operator=(const TXMButtonCore&) = delete;

  bool Down() const { return Down_; }
  void SetDown(bool down);
  bool HotTrack() const { return HotTrack_; }
  void SetHotTrack(bool hotTrack);
  bool HideFocus() const { return HideFocus_; }
  void SetHideFocus(bool hideFocus);
  std::int32_t OffX() const { return OffX_; }
  void SetOffX(std::int32_t offX);
  std::int32_t OffY() const { return OffY_; }
  void SetOffY(std::int32_t offY);
  TBitmapKind BitmapKind() const { return BitmapKind_; }
  // The image is swapped at the next draw.
  void SetBitmapKind(TBitmapKind kind);

  // The glyph. A window description reads stored pixels straight into it,
  // without the setter.
  TBitmap& Bitmap() { return *Bitmap_; }
  const TBitmap& Bitmap() const { return *Bitmap_; }
  // Copies `bitmap` (or empties the glyph for null) and switches the kind
  // between bkNone and bkCustom to match.
  void SetBitmap(const TBitmap* bitmap);

  const TBitmap& DisabledBitmap() const { return *DisabledBitmap_; }
  TBitmapKind LoadedKind() const { return LoadedKind_; }
  bool ShowsFocus() const { return ShowsFocus_; }

  // Stored and published only: nothing fires them.
  const TNotifyEvent& OnMouseEnter() const { return OnMouseEnter_; }
  void SetOnMouseEnter(const TNotifyEvent& handler) { OnMouseEnter_ = handler; }
  const TNotifyEvent& OnMouseExit() const { return OnMouseExit_; }
  void SetOnMouseExit(const TNotifyEvent& handler) { OnMouseExit_ = handler; }

 protected:
  // Paints face, glyph and caption on FaceCanvas for a draw request with the
  // given item state bits. The caller attaches FaceCanvas before and detaches it
  // after.
  void DrawButton(unsigned itemState);
  // The default-state hook: stores whether the button shows the focus look,
  // repainting on a change.
  void ShowFocusState(bool showsFocus);
  void DeriveDisabledBitmap();
  TSurface& FaceCanvas() { return *FaceCanvas_; }

  // Invalidates the whole control and paints it before returning.
  virtual void RepaintNow() = 0;
  virtual bool ControlEnabled() const = 0;
  virtual TRect FaceRect() const = 0;
  virtual TColor FaceColor() const = 0;
  virtual const std::string& CaptionText() const = 0;
  virtual const TFont& CaptionFont() const = 0;

 private:
  void LoadKindImage();
  void DrawGlyph(TRect& rect, bool enabled, bool pressed);

  std::unique_ptr<TSurface> FaceCanvas_;
  bool Down_ = false;
  bool HotTrack_ = false;
  bool ShowsFocus_ = false;
  bool HideFocus_ = false;
  std::unique_ptr<TBitmap> Bitmap_;
  std::unique_ptr<TBitmap> DisabledBitmap_;
  std::int32_t OffX_ = 0;
  std::int32_t OffY_ = 0;
  TBitmapKind BitmapKind_ = bkNone;
  TBitmapKind LoadedKind_ = bkNone;
  TNotifyEvent OnMouseEnter_;
  TNotifyEvent OnMouseExit_;
};
