#include "ReadmeText.h"

#include <string>

namespace {

const char* const kWords[] = {
    "camera", "plugin", "Halvora", "driver", "module",  "install",  "folder", "exposure",
    "the",    "a",      "of",      "to",     "and",     "with",     "for",    "your",
    "USB",    "cable",  "mode",    "bulb",   "mirror",  "lock-up",  "PTP",    "library",
    "model",  "select", "connect", "image",  "shutter", "settings", "before", "after"};

std::string Sentence(DeterministicRandom& random) {
  std::string text;
  const std::uint32_t words = random.Between(6, 18);
  for (std::uint32_t i = 0; i < words; ++i) {
    if (i != 0) text += ' ';
    text += kWords[random.Below(sizeof kWords / sizeof kWords[0])];
  }
  if (!text.empty())
    text[0] = static_cast<char>(text[0] >= 'a' && text[0] <= 'z' ? text[0] - 32 : text[0]);
  return text + ".";
}

}  // namespace

std::vector<std::uint8_t> MakeReadmeText(DeterministicRandom& random, std::size_t size) {
  std::string page =
      "<!DOCTYPE html>\r\n<html>\r\n  <head>\r\n    <title>Camera plugin for Halvora</title>\r\n"
      "  </head>\r\n  <body>\r\n";
  while (page.size() < size) {
    page += "    <h2>" + Sentence(random) + "</h2>\r\n";
    const std::uint32_t paragraphs = random.Between(1, 4);
    for (std::uint32_t p = 0; p < paragraphs && page.size() < size; ++p) {
      page +=
          "    <p>\r\n        " + Sentence(random) + " " + Sentence(random) + "\r\n    </p>\r\n";
    }
  }
  const std::string end = "  </body>\r\n</html>\r\n";
  page.resize(size > end.size() ? size - end.size() : 0);
  page += end;
  page.resize(size);
  return std::vector<std::uint8_t>(page.begin(), page.end());
}
