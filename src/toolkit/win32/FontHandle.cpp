#include "toolkit/win32/FontHandle.h"

#include <cstring>

namespace {
// The colour is not part of an HFONT, so a colour change keeps the font.
bool SameFace(const TFont& a, const TFont& b) {
  return a.Name() == b.Name() && a.Height() == b.Height() && a.Style() == b.Style() &&
         a.Charset() == b.Charset();
}
}  // namespace

HFONT TFontHandle::For(const TFont& font) {
  if (handle_ && SameFace(madeFrom_, font)) return handle_.Get();
  LOGFONTA description{};
  description.lfHeight = font.Height();
  description.lfWeight = font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  description.lfItalic = font.Style().Contains(fsItalic) ? TRUE : FALSE;
  description.lfUnderline = font.Style().Contains(fsUnderline) ? TRUE : FALSE;
  description.lfStrikeOut = font.Style().Contains(fsStrikeOut) ? TRUE : FALSE;
  description.lfCharSet = font.Charset();
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = DEFAULT_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  std::strncpy(description.lfFaceName, font.Name().c_str(), LF_FACESIZE - 1);
  handle_.Reset(CreateFontIndirectA(&description));
  madeFrom_.Assign(font);
  return handle_.Get();
}
