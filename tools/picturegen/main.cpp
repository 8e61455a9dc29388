// picturegen OUTDIR: draws the installer's pictures into OUTDIR as 24-bit BMP files
// (splash.bmp, glyph-install.bmp, glyph-close.bmp) and the program icon
// (installer.ico). picturegen --glyph-table FILE: writes the glyph button's built-in
// glyphs as a C++ table (src/button/BuiltinGlyphTables.cpp). Deterministic.
#include <cstdio>
#include <string>

#include "Glyphs.h"
#include "Icon.h"
#include "Splash.h"
#include "toolkit/BmpFile.h"
#include "tools/common/OutputFile.h"

namespace {

void WritePictures(const std::string& dir) {
  const struct {
    const char* name;
    TBitmap picture;
  } outputs[] = {{"splash.bmp", MakeSplash()},
                 {"glyph-install.bmp", DrawDiscGlyph(DiscGlyph::kOk)},
                 {"glyph-close.bmp", DrawDiscGlyph(DiscGlyph::kCancel)}};
  for (const auto& output : outputs) {
    const std::vector<std::uint8_t> bytes = SaveBmp(output.picture);
    WriteOutputFile(dir + "/" + output.name, bytes.data(), bytes.size());
  }
  WriteProgramIcon(dir + "/installer.ico");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  const bool table = argc == 3 && first == "--glyph-table";
  if ((argc != 2 && !table) || first == "--help") {
    std::fprintf(first == "--help" ? stdout : stderr,
                 "usage: picturegen OUTDIR\n       picturegen --glyph-table FILE\n");
    return first == "--help" ? 0 : 2;
  }
  try {
    if (table) {
      WriteGlyphTable(argv[2]);
    } else {
      WritePictures(first);
    }
  } catch (const EOutputError& error) {
    std::fprintf(stderr, "picturegen: %s\n", error.what());
    return 1;
  }
  return 0;
}
