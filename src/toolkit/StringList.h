// An ordered list of text lines, with the name=value view that string tables of a
// window description use. Names compare without regard to case in the user's locale,
// so a table looked up by what the user picked finds the same row the user saw.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

class TStringList {
 public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> lines) : lines_(lines) {}

  int Count() const { return static_cast<int>(lines_.size()); }
  const std::string& Strings(int index) const { return lines_.at(static_cast<std::size_t>(index)); }
  const std::vector<std::string>& Lines() const { return lines_; }

  void Add(std::string line) { lines_.push_back(std::move(line)); }
  void Clear() { lines_.clear(); }

  // The part of a line before its first "="; empty for a line without one.
  std::string Names(int index) const;
  // The part of a line after its first "="; empty for a line without one.
  std::string ValueFromIndex(int index) const;
  // The value of the first line whose name matches; empty when none does.
  std::string Values(const std::string& name) const;

  // First line whose name matches (lines without "=" have no name); -1 when none.
  int IndexOfName(const std::string& name) const;
  // First line that matches as a whole; -1 when none.
  int IndexOf(const std::string& line) const;

  bool operator==(const TStringList& other) const { return lines_ == other.lines_; }
  bool operator!=(const TStringList& other) const { return !(*this == other); }

 private:
  std::vector<std::string> lines_;
};

// Case-insensitive comparison in the user's locale on Windows, ASCII case folding
// elsewhere. Negative, zero or positive like strcmp.
int CompareTextUserLocale(const std::string& a, const std::string& b);
// Byte comparison with ASCII letters folded: the locale-free answer.
int CompareTextAscii(const std::string& a, const std::string& b);
