#include "Screenshot.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace e2e {

namespace {

void PutBE(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& body) {
  PutBE(out, std::uint32_t(body.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  PutBE(out, std::uint32_t(crc32(0, out.data() + typeAt, uInt(body.size() + 4))));
}

// What PNG filter `filter` predicts for a byte from its neighbours to the left, above
// and above-left.
int Predicted(std::uint8_t filter, int left, int up, int upLeft) {
  switch (filter) {
    case 1:
      return left;
    case 2:
      return up;
    case 3:
      return (left + up) / 2;
    case 4: {  // Paeth
      const int p = left + up - upLeft;
      const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
      if (pa <= pb && pa <= pc) return left;
      return pb <= pc ? up : upLeft;
    }
    default:
      return 0;
  }
}

// One scan line as PNG stores it: a filter byte, then the RGB bytes filtered by it.
// Each line takes the filter whose bytes have the smallest sum as signed values,
// the usual guess at what deflates best; flat window areas shrink to almost nothing.
void PutFilteredLine(std::vector<std::uint8_t>& out, const std::uint8_t* line,
                     const std::uint8_t* above, std::size_t size) {
  constexpr std::size_t kPixel = 3;
  std::vector<std::uint8_t> best;
  long bestCost = -1;
  for (std::uint8_t filter = 0; filter <= 4; ++filter) {
    std::vector<std::uint8_t> candidate{filter};
    long cost = 0;
    for (std::size_t i = 0; i < size; ++i) {
      const int left = i >= kPixel ? line[i - kPixel] : 0;
      const int up = above ? above[i] : 0;
      const int upLeft = above && i >= kPixel ? above[i - kPixel] : 0;
      const auto value = std::uint8_t(line[i] - Predicted(filter, left, up, upLeft));
      candidate.push_back(value);
      cost += value < 128 ? value : 256 - value;
    }
    if (bestCost < 0 || cost < bestCost) {
      bestCost = cost;
      best.swap(candidate);
    }
  }
  out.insert(out.end(), best.begin(), best.end());
}

}  // namespace

COLORREF Screenshot::At(int x, int y) const {
  const std::uint32_t p = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool IsInk(COLORREF pixel, COLORREF ink, COLORREF ground) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int p = int(pixel >> shift) & 0xFF, i = int(ink >> shift) & 0xFF;
    const int g = int(ground >> shift) & 0xFF;
    if (2 * std::abs(p - i) > std::abs(g - i)) return false;
  }
  return true;
}

InkFound FindInk(const Screenshot& shot, const RECT& area, COLORREF ink, COLORREF ground) {
  InkFound found;
  const int left = std::max(0, int(area.left)), right = std::min(shot.width, int(area.right));
  const int top = std::max(0, int(area.top)), bottom = std::min(shot.height, int(area.bottom));
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      if (!IsInk(shot.At(x, y), ink, ground)) continue;
      const RECT pixel{x, y, x + 1, y + 1};
      UnionRect(&found.bounds, &found.bounds, &pixel);
      ++found.pixels;
    }
  return found;
}

bool RunsUnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

int WineDpiOtherThan96() {
  if (!RunsUnderWine()) return 0;
  // The display's own DPI, read as a system-aware thread: an unaware one may be told 96.
  using SetContextFunction = void*(WINAPI*)(void*);
  const FARPROC found =
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext");
  const auto setContext =
      found ? reinterpret_cast<SetContextFunction>(reinterpret_cast<void (*)()>(found)) : nullptr;
  void* const systemAware = reinterpret_cast<void*>(static_cast<std::intptr_t>(-2));
  void* const before = setContext ? setContext(systemAware) : nullptr;
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  if (before) setContext(before);
  return dpi == 96 ? 0 : dpi;
}

namespace {

// PrintWindow's flag (Windows 8.1 and later) for the window's whole content as the
// desktop composes it, children and system-drawn parts included.
constexpr UINT kRenderFullContent = 0x2;

// The window's own rendering into dc. On Windows PrintWindow has the window paint
// itself, children and all, into dc at its own size, whatever the display scaling and
// whatever covers it; older versions lack the flag. Wine's PrintWindow only sends
// WM_PRINT, which leaves out child windows and whatever paints in WM_PAINT alone, but
// Wine draws every window at its own size with no scaling and no composition, so
// there the window's pixels are read where it shows them (it must be on top).
bool Render(HWND window, bool client, HDC dc, int width, int height) {
  if (!RunsUnderWine()) {
    const UINT part = client ? PW_CLIENTONLY : 0;
    return PrintWindow(window, dc, part | kRenderFullContent) || PrintWindow(window, dc, part);
  }
  const HDC source = client ? GetDC(window) : GetWindowDC(window);
  const bool copied = source && BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
  if (source) ReleaseDC(window, source);
  return copied;
}

}  // namespace

Screenshot Capture(HWND window, bool client) {
  Screenshot shot;
  RECT rect{};
  if (client) {
    GetClientRect(window, &rect);
  } else {
    GetWindowRect(window, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
  }
  if (rect.right <= 0 || rect.bottom <= 0) return shot;

  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = rect.right;
  info.bmiHeader.biHeight = -rect.bottom;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && bits) {
    const HGDIOBJ old = SelectObject(memory, dib);
    if (Render(window, client, memory, rect.right, rect.bottom)) {
      GdiFlush();
      shot.width = rect.right;
      shot.height = rect.bottom;
      const auto* p = static_cast<const std::uint32_t*>(bits);
      shot.pixels.assign(p, p + std::size_t(shot.width) * std::size_t(shot.height));
      for (auto& pixel : shot.pixels) pixel &= 0x00FFFFFF;
    }
    SelectObject(memory, old);
  }
  if (dib) DeleteObject(dib);
  DeleteDC(memory);
  return shot;
}

bool SavePng(const Screenshot& shot, const std::string& path) {
  const std::size_t lineSize = std::size_t(shot.width) * 3;
  std::vector<std::uint8_t> rgb;
  rgb.reserve(std::size_t(shot.height) * lineSize);
  for (const std::uint32_t p : shot.pixels) {
    rgb.insert(rgb.end(), {std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)});
  }
  std::vector<std::uint8_t> filtered;
  filtered.reserve(std::size_t(shot.height) * (1 + lineSize));
  for (int y = 0; y < shot.height; ++y) {
    const std::uint8_t* line = rgb.data() + std::size_t(y) * lineSize;
    PutFilteredLine(filtered, line, y > 0 ? line - lineSize : nullptr, lineSize);
  }
  uLongf deflatedSize = compressBound(uLong(filtered.size()));
  std::vector<std::uint8_t> deflated(deflatedSize);
  if (compress2(deflated.data(), &deflatedSize, filtered.data(), uLong(filtered.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    return false;
  }
  deflated.resize(deflatedSize);

  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<std::uint8_t> header;
  PutBE(header, std::uint32_t(shot.width));
  PutBE(header, std::uint32_t(shot.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", deflated);
  PutChunk(png, "IEND", {});
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace e2e
