// Builds without the Windows locale service fold ASCII letters only.
#include "toolkit/StringList.h"

int CompareTextUserLocale(const std::string& a, const std::string& b) {
  return CompareTextAscii(a, b);
}
