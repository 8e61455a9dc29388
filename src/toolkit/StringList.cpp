#include "toolkit/StringList.h"

namespace {

constexpr char kNameValueSeparator = '=';

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

int CompareTextAscii(const std::string& a, const std::string& b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char left = FoldAscii(static_cast<unsigned char>(a[i]));
    const unsigned char right = FoldAscii(static_cast<unsigned char>(b[i]));
    if (left != right) return left < right ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string TStringList::Names(int index) const {
  const std::string& line = Strings(index);
  const std::size_t separator = line.find(kNameValueSeparator);
  return separator == std::string::npos ? std::string() : line.substr(0, separator);
}

std::string TStringList::ValueFromIndex(int index) const {
  const std::string& line = Strings(index);
  const std::size_t separator = line.find(kNameValueSeparator);
  return separator == std::string::npos ? std::string() : line.substr(separator + 1);
}

std::string TStringList::Values(const std::string& name) const {
  const int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

int TStringList::IndexOfName(const std::string& name) const {
  for (int index = 0; index < Count(); ++index) {
    const std::string& line = Strings(index);
    const std::size_t separator = line.find(kNameValueSeparator);
    if (separator == std::string::npos) continue;
    if (CompareTextUserLocale(line.substr(0, separator), name) == 0) return index;
  }
  return -1;
}

int TStringList::IndexOf(const std::string& line) const {
  for (int index = 0; index < Count(); ++index) {
    if (CompareTextUserLocale(Strings(index), line) == 0) return index;
  }
  return -1;
}
