// picturegen OUTDIR: draws the installer's pictures into OUTDIR as 24-bit BMP files
// (splash.bmp, glyph-install.bmp, glyph-close.bmp) and the program
// icon (installer.ico). Deterministic.
#include <cstdio>
#include <string>

#include "Glyphs.h"
#include "Icon.h"
#include "OutputFile.h"
#include "Splash.h"

int main(int argc, char** argv) {
  if (argc != 2 || std::string(argv[1]) == "--help") {
    std::fprintf(argc == 2 ? stdout : stderr, "usage: picturegen OUTDIR\n");
    return argc == 2 ? 0 : 2;
  }
  const std::string dir = argv[1];
  const struct {
    const char* name;
    Picture picture;
  } outputs[] = {{"splash.bmp", MakeSplash()},
                 {"glyph-install.bmp", MakeCheckGlyph()},
                 {"glyph-close.bmp", MakeCrossGlyph()}};
  try {
    for (const auto& output : outputs) WriteBmp24(output.picture, dir + "/" + output.name);
    WriteProgramIcon(dir + "/installer.ico");
  } catch (const EOutputError& error) {
    std::fprintf(stderr, "picturegen: %s\n", error.what());
    return 1;
  }
  return 0;
}
