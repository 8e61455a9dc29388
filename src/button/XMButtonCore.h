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

  bool Down() const { return down_; }
  void SetDown(bool down);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool hotTrack);
  bool HideFocus() const { return hideFocus_; }
  void SetHideFocus(bool hideFocus);
  std::int32_t OffX() const { return offX_; }
  void SetOffX(std::int32_t offX);
  std::int32_t OffY() const { return offY_; }
  void SetOffY(std::int32_t offY);
  TBitmapKind BitmapKind() const { return bitmapKind_; }
  // The image is swapped at the next draw.
  void SetBitmapKind(TBitmapKind kind);

  // The glyph. A window description reads stored pixels straight into it,
  // without the setter.
  TBitmap& Bitmap() { return *bitmap_; }
  const TBitmap& Bitmap() const { return *bitmap_; }
  // Copies `bitmap` (or empties the glyph for null) and switches the kind
  // between bkNone and bkCustom to match.
  void SetBitmap(const TBitmap* bitmap);

  const TBitmap& DisabledBitmap() const { return *disabledBitmap_; }
  TBitmapKind LoadedKind() const { return loadedKind_; }
  bool ShowsFocus() const { return showsFocus_; }

  // Stored and published only: nothing fires them.
  const TNotifyEvent& OnMouseEnter() const { return onMouseEnter_; }
  void SetOnMouseEnter(const TNotifyEvent& handler) { onMouseEnter_ = handler; }
  const TNotifyEvent& OnMouseExit() const { return onMouseExit_; }
  void SetOnMouseExit(const TNotifyEvent& handler) { onMouseExit_ = handler; }

 protected:
  // Paints face, glyph and caption on FaceCanvas for a draw request with the
  // given item state bits. The caller attaches FaceCanvas before and detaches it
  // after.
  void DrawButton(unsigned itemState);
  // The default-state hook: stores whether the button shows the focus look,
  // repainting on a change.
  void ShowFocusState(bool showsFocus);
  void DeriveDisabledBitmap();
  TSurface& FaceCanvas() { return *faceCanvas_; }

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

  std::unique_ptr<TSurface> faceCanvas_;
  bool down_ = false;
  bool hotTrack_ = false;
  bool showsFocus_ = false;
  bool hideFocus_ = false;
  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TBitmap> disabledBitmap_;
  std::int32_t offX_ = 0;
  std::int32_t offY_ = 0;
  TBitmapKind bitmapKind_ = bkNone;
  TBitmapKind loadedKind_ = bkNone;
  TNotifyEvent onMouseEnter_;
  TNotifyEvent onMouseExit_;
};
