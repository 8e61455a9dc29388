#include "system/PathText.h"

#include <cstring>

namespace {

bool IsLeadByte(UINT codePage, char byte) {
  return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(byte)) != FALSE;
}

// Whether the character that starts at index is a single byte. A trail byte looks
// like any other byte, so the character boundaries are found by walking from the start.
bool IsSingleByteCharAt(const std::string& text, std::size_t index, UINT codePage) {
  std::size_t start = 0;
  while (start < index) start += IsLeadByte(codePage, text[start]) ? 2 : 1;
  return start == index && !IsLeadByte(codePage, text[index]);
}

}  // namespace

std::string StripLeadingChar(const std::string& text, char character) {
  const std::size_t first = text.find_first_not_of(character);
  return first == std::string::npos ? std::string() : text.substr(first);
}

std::string IncludeTrailingBackslash(const std::string& text, UINT codePage) {
  if (!text.empty() && text.back() == '\\' && IsSingleByteCharAt(text, text.size() - 1, codePage)) {
    return text;
  }
  return text + '\\';
}

std::vector<std::size_t> FindDelimiters(const std::string& text, const char* delimiters,
                                        UINT codePage) {
  std::vector<std::size_t> positions;
  std::size_t index = 0;
  while (index < text.size()) {
    if (IsLeadByte(codePage, text[index])) {
      index += 2;
      continue;
    }
    if (text[index] != '\0' && std::strchr(delimiters, text[index]) != nullptr) {
      positions.push_back(index);
    }
    ++index;
  }
  return positions;
}

std::string FolderPart(const std::string& path, UINT codePage) {
  const std::vector<std::size_t> delimiters = FindDelimiters(path, "\\:", codePage);
  return delimiters.empty() ? std::string() : path.substr(0, delimiters.back() + 1);
}
