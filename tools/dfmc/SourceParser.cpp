#include "SourceParser.h"

#include <cctype>

namespace {

struct Token {
  enum class Type { End, Name, Text, Number, Punct };
  Type type = Type::End;
  std::string text;  // Name, Text, Punct (the character)
  std::int64_t number = 0;
  int line = 1;
};

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsNamePart(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

class Lexer {
 public:
  Lexer(const std::string& text, const std::string& sourceName)
      : text_(text), sourceName_(sourceName) {}

  [[noreturn]] void Fail(int line, const std::string& what) const {
    throw ECompileError(sourceName_ + ":" + std::to_string(line) + ": " + what);
  }

  Token Next() {
    SkipSpaceAndComments();
    Token token;
    token.line = line_;
    if (pos_ >= text_.size()) return token;
    const char c = text_[pos_];
    if (IsNameStart(c)) {
      const std::size_t start = pos_;
      while (pos_ < text_.size() && IsNamePart(text_[pos_])) ++pos_;
      token.type = Token::Type::Name;
      token.text = text_.substr(start, pos_ - start);
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      token.type = Token::Type::Number;
      token.number = ReadNumber();
    } else if (c == '"') {
      token.type = Token::Type::Text;
      token.text = ReadText();
    } else if (std::string("=:[](),+-").find(c) != std::string::npos) {
      token.type = Token::Type::Punct;
      token.text = std::string(1, c);
      ++pos_;
    } else {
      Fail(line_, std::string("unexpected character '") + c + "'");
    }
    return token;
  }

 private:
  void SkipSpaceAndComments() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else if (c == '#') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else {
        break;
      }
    }
  }

  std::int64_t ReadNumber() {
    const std::size_t start = pos_;
    int base = 10;
    if (text_.compare(pos_, 2, "0x") == 0 || text_.compare(pos_, 2, "0X") == 0) {
      base = 16;
      pos_ += 2;
    }
    std::int64_t value = 0;
    std::size_t digits = 0;
    while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) {
      const char d = text_[pos_];
      const int digit =
          std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : std::tolower(d) - 'a' + 10;
      if (digit >= base) break;
      value = value * base + digit;
      if (value > 0xFFFFFFFFLL)
        Fail(line_, "number too large: " + text_.substr(start, pos_ - start + 1) + "...");
      ++pos_;
      ++digits;
    }
    if (digits == 0 || (pos_ < text_.size() && IsNamePart(text_[pos_]))) {
      Fail(line_, "malformed number");
    }
    return value;
  }

  std::string ReadText() {
    const int startLine = line_;
    ++pos_;  // the opening quote
    std::string result;
    for (;;) {
      if (pos_ >= text_.size() || text_[pos_] == '\n')
        Fail(startLine, "string without its closing quote");
      const char c = text_[pos_++];
      if (c == '"') return result;
      if (c != '\\') {
        result += c;
        continue;
      }
      if (pos_ >= text_.size()) Fail(startLine, "string without its closing quote");
      const char e = text_[pos_++];
      switch (e) {
        case '"':
          result += '"';
          break;
        case '\\':
          result += '\\';
          break;
        case 'r':
          result += '\r';
          break;
        case 'n':
          result += '\n';
          break;
        case 't':
          result += '\t';
          break;
        case 'x': {
          if (pos_ + 2 > text_.size() || !std::isxdigit(static_cast<unsigned char>(text_[pos_])) ||
              !std::isxdigit(static_cast<unsigned char>(text_[pos_ + 1]))) {
            Fail(line_, "\\x needs two hex digits");
          }
          result += static_cast<char>(std::stoi(text_.substr(pos_, 2), nullptr, 16));
          pos_ += 2;
          break;
        }
        default:
          Fail(line_, std::string("unknown escape \\") + e);
      }
    }
  }

  const std::string& text_;
  const std::string& sourceName_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

class Parser {
 public:
  Parser(const std::string& text, const std::string& sourceName) : lexer_(text, sourceName) {
    Advance();
  }

  SourceDocument Document() {
    SourceDocument document;
    ParseObject(document.form, &document.components);
    if (token_.type != Token::Type::End) Fail("text after the form's final end");
    return document;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const { lexer_.Fail(token_.line, what); }
  void Advance() { token_ = lexer_.Next(); }
  bool IsPunct(char c) const { return token_.type == Token::Type::Punct && token_.text[0] == c; }
  bool IsWord(const char* word) const {
    return token_.type == Token::Type::Name && token_.text == word;
  }
  void Expect(char c) {
    if (!IsPunct(c)) Fail(std::string("'") + c + "' expected");
    Advance();
  }
  std::string PlainName(const char* what) {
    if (token_.type != Token::Type::Name || token_.text.find('.') != std::string::npos) {
      Fail(std::string(what) + " expected");
    }
    std::string name = token_.text;
    Advance();
    return name;
  }

  // components: where the form's components go; null inside a component.
  void ParseObject(SourceObject& object, std::vector<SourceObject>* components) {
    if (!IsWord("object")) Fail("'object' expected");
    object.line = token_.line;
    Advance();
    object.name = PlainName("component name");
    Expect(':');
    object.className = PlainName("class name");
    for (;;) {
      if (token_.type == Token::Type::End)
        lexer_.Fail(object.line, "object " + object.name + " has no end");
      if (IsWord("end")) {
        Advance();
        return;
      }
      if (IsWord("object")) {
        if (!components)
          Fail("components inside " + object.name + ": only the form holds components");
        components->emplace_back();
        ParseObject(components->back(), nullptr);
        continue;
      }
      if (token_.type != Token::Type::Name) Fail("property name expected");
      SourceProperty property;
      property.line = token_.line;
      property.path = token_.text;
      Advance();
      Expect('=');
      property.value = ParseValue();
      object.properties.push_back(std::move(property));
    }
  }

  SourceValue ParseValue() {
    SourceValue value;
    if (IsWord("true") || IsWord("false")) {
      value.form = SourceValue::Form::Boolean;
      value.boolean = token_.text == "true";
      Advance();
    } else if (IsWord("file")) {
      Advance();
      if (token_.type != Token::Type::Text) Fail("file name in quotes expected after file");
      value.form = SourceValue::Form::File;
      value.text = token_.text;
      Advance();
    } else if (token_.type == Token::Type::Name) {
      value.form = SourceValue::Form::Name;
      value.text = PlainName("value");
    } else if (token_.type == Token::Type::Number || IsPunct('-')) {
      const bool negative = IsPunct('-');
      if (negative) Advance();
      if (token_.type != Token::Type::Number) Fail("number expected");
      value.form = SourceValue::Form::Number;
      value.number = negative ? -token_.number : token_.number;
      Advance();
    } else if (token_.type == Token::Type::Text) {
      value.form = SourceValue::Form::Text;
      value.text = JoinedText();
    } else if (IsPunct('[')) {
      value.form = SourceValue::Form::NameSet;
      Advance();
      while (!IsPunct(']')) {
        if (!value.items.empty()) Expect(',');
        value.items.push_back(PlainName("set member"));
      }
      Advance();
    } else if (IsPunct('(')) {
      value.form = SourceValue::Form::TextList;
      Advance();
      while (!IsPunct(')')) {
        if (token_.type != Token::Type::Text) Fail("string or ')' expected in a string list");
        value.items.push_back(JoinedText());
      }
      Advance();
    } else {
      Fail("value expected");
    }
    return value;
  }

  std::string JoinedText() {
    std::string text = token_.text;
    Advance();
    while (IsPunct('+')) {
      Advance();
      if (token_.type != Token::Type::Text) Fail("string expected after +");
      text += token_.text;
      Advance();
    }
    return text;
  }

  Lexer lexer_;
  Token token_;
};

}  // namespace

SourceDocument ParseSource(const std::string& text, const std::string& sourceName) {
  return Parser(text, sourceName).Document();
}

const char* DescribeForm(SourceValue::Form form) {
  switch (form) {
    case SourceValue::Form::Boolean:
      return "a Boolean";
    case SourceValue::Form::Number:
      return "a number";
    case SourceValue::Form::Text:
      return "a string";
    case SourceValue::Form::Name:
      return "a name";
    case SourceValue::Form::NameSet:
      return "a set";
    case SourceValue::Form::TextList:
      return "a string list";
    case SourceValue::Form::File:
      return "a file";
  }
  return "a value";
}
