// The text form of a window description, as written by hand. (The example is laid
// out by hand, its comments in one column; the formatter would reflow it.)
// clang-format off
//
//   object FormServicePack: TFormServicePack      # the form
//     Caption = "Halvora plugin installation"      # a string ("\"", "\\", "\r", "\n", "\t", "\xHH")
//     BorderIcons = [biSystemMenu, biMinimize]      # a set
//     Font.Height = -12                            # a property of a nested object
//     OnCreate = FormCreate                        # an event: the form's handler name
//     object TXTDat: TTXTDat                       # its components, in creation order
//       Lines = (
//         "D5200=Type0009.md3"                      # a string list, one string per item
//       )
//     end
//     object FileStoMD3: TFileStorage
//       StoredData = file "FileStoMD3.sfp"          # bytes taken from a file
//     end
//   end
//
// clang-format on
// Values: true / false, integers (decimal, or 0x hex), strings (adjacent strings
// joined with +), names (enumeration values, colours, handlers), [name, ...], ( "..." ... ),
// file "name". Comments run from # to the end of the line. The parser only checks
// the shape; what the names mean is the compiler's business.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// "file:line: what is wrong"
class ECompileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SourceValue {
  enum class Form { Boolean, Number, Text, Name, NameSet, TextList, File };
  Form form = Form::Number;
  bool boolean = false;
  std::int64_t number = 0;
  std::string text;                // Text, Name, File (the file's name)
  std::vector<std::string> items;  // NameSet, TextList
};

struct SourceProperty {
  int line = 0;
  std::string path;
  SourceValue value;
};

struct SourceObject {
  int line = 0;
  std::string name;
  std::string className;
  std::vector<SourceProperty> properties;
};

struct SourceDocument {
  SourceObject form;
  std::vector<SourceObject> components;
};

// Parses source text; sourceName is the file name used in error messages.
SourceDocument ParseSource(const std::string& text, const std::string& sourceName);

// How a value form is named in messages: "a string", "a number", ...
const char* DescribeForm(SourceValue::Form form);
