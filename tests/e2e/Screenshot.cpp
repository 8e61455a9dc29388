#include "Screenshot.h"

#include <cstdio>

namespace e2e {

namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBE(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& body) {
  PutBE(out, std::uint32_t(body.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), body.begin(), body.end());
  PutBE(out, Crc32(out.data() + typeAt, body.size() + 4));
}

// zlib stream of stored deflate blocks: no compression library needed.
std::vector<std::uint8_t> ZlibStored(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  std::size_t at = 0;
  do {
    const std::size_t chunk = std::min<std::size_t>(65535, raw.size() - at);
    const bool last = at + chunk == raw.size();
    out.push_back(last ? 1 : 0);
    out.push_back(std::uint8_t(chunk));
    out.push_back(std::uint8_t(chunk >> 8));
    out.push_back(std::uint8_t(~chunk));
    out.push_back(std::uint8_t(~chunk >> 8));
    out.insert(out.end(), raw.begin() + long(at), raw.begin() + long(at + chunk));
    at += chunk;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBE(out, (b << 16) | a);
  return out;
}

}  // namespace

COLORREF Screenshot::At(int x, int y) const {
  const std::uint32_t p = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

Screenshot Capture(HWND window, bool client) {
  Screenshot shot;
  RECT rect{};
  if (client) {
    GetClientRect(window, &rect);
  } else {
    GetWindowRect(window, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
  }
  shot.width = rect.right;
  shot.height = rect.bottom;
  if (shot.width <= 0 || shot.height <= 0) return shot;

  HDC source = client ? GetDC(window) : GetWindowDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib && bits) {
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, shot.width, shot.height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    shot.pixels.assign(p, p + std::size_t(shot.width) * std::size_t(shot.height));
    for (auto& pixel : shot.pixels) pixel &= 0x00FFFFFF;
    SelectObject(memory, old);
  }
  if (dib) DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(window, source);
  return shot;
}

bool SavePng(const Screenshot& shot, const std::string& path) {
  std::vector<std::uint8_t> raw;
  raw.reserve(std::size_t(shot.height) * (1 + std::size_t(shot.width) * 3));
  for (int y = 0; y < shot.height; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < shot.width; ++x) {
      const std::uint32_t p = shot.pixels[std::size_t(y) * std::size_t(shot.width) + std::size_t(x)];
      raw.push_back(std::uint8_t(p >> 16));
      raw.push_back(std::uint8_t(p >> 8));
      raw.push_back(std::uint8_t(p));
    }
  }
  std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<std::uint8_t> header;
  PutBE(header, std::uint32_t(shot.width));
  PutBE(header, std::uint32_t(shot.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", ZlibStored(raw));
  PutChunk(png, "IEND", {});
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace e2e
