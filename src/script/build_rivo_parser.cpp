#include "script/build_rivo_parser.h"

#include <array>
#include <optional>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/error.h"
#include "common/number_text.h"
#include "common/sjis.h"
#include "script/function_table.h"
#include "script/opcodes.h"
#include "script/param_kind.h"
#include "script/rivo_parser.h"

namespace rivo {

namespace {

using Chars = std::u16string;

constexpr std::string_view kOperatorChars = "+-*/%|&^=[](),<>";
constexpr std::array<std::u16string_view, 7> kPairs = {u"==", u">=", u"<=", u"++", u"<>", u"<<", u">>"};
// Loosest last; within a level the leftmost operator goes first.
const std::array<std::vector<std::u16string_view>, 9> kLevels = {{
    {u"*", u"/", u"%"},
    {u"+", u"-"},
    {u"<<", u">>"},
    {u"==", u">=", u"<=", u">", u"<", u"<>"},
    {u"++"},
    {u"&"},
    {u"^"},
    {u"|"},
    {u"="},
}};

const std::string kResultName = "____arg";
const std::string kTempPrefix = "____";
const std::string kElementPrefix = "____d_";

[[noreturn]] void SyntaxError() { throw RivoError("構文エラー"); }

bool IsBlank(char16_t c) { return c <= 0x20; }
bool IsIdent(char16_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool IsOperatorChar(char16_t c) { return c < 0x80 && kOperatorChars.find(static_cast<char>(c)) != std::string_view::npos; }
bool HasOperatorChar(const Chars& text) {
  for (char16_t c : text)
    if (IsOperatorChar(c)) return true;
  return false;
}

Chars ToChars(std::string_view bytes) {
  Chars out;
  for (std::size_t i = 0; i < bytes.size();) {
    std::size_t n = sjis::CharSize(bytes, i);
    char16_t c = static_cast<unsigned char>(bytes[i]);
    if (n == 2) c = static_cast<char16_t>(c << 8 | static_cast<unsigned char>(bytes[i + 1]));
    out.push_back(c);
    i += n;
  }
  return out;
}

std::string ToBytes(std::u16string_view chars) {
  std::string out;
  for (char16_t c : chars) {
    if (c > 0xFF) out.push_back(static_cast<char>(c >> 8));
    out.push_back(static_cast<char>(c & 0xFF));
  }
  return out;
}

Chars Trim(std::u16string_view text) {
  std::size_t from = 0, to = text.size();
  while (from < to && IsBlank(text[from])) ++from;
  while (to > from && IsBlank(text[to - 1])) --to;
  return Chars(text.substr(from, to - from));
}

// For each "(" the position of its ")" and the reverse; unbalanced raises.
std::vector<std::size_t> MatchParens(const Chars& text) {
  std::vector<std::size_t> match(text.size(), Chars::npos);
  std::vector<std::size_t> open;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '(') {
      open.push_back(i);
    } else if (text[i] == ')') {
      if (open.empty()) SyntaxError();
      match[open.back()] = i;
      match[i] = open.back();
      open.pop_back();
    }
  }
  if (!open.empty()) SyntaxError();
  return match;
}

// The nearest character left of pos that is not blank, or 0.
char16_t NearestLeft(const Chars& text, std::size_t pos) {
  while (pos > 0) {
    if (!IsBlank(text[--pos])) return text[pos];
  }
  return 0;
}

// Splits at commas outside square brackets, trimming each part.
std::vector<Chars> SplitArguments(const Chars& text, bool watch_brackets) {
  std::vector<Chars> parts;
  Chars current;
  int depth = 0;
  for (char16_t c : text) {
    if (watch_brackets && c == '[') ++depth;
    if (watch_brackets && c == ']' && --depth < 0) SyntaxError();
    if (c == ',' && depth == 0) {
      parts.push_back(Trim(current));
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (depth != 0) SyntaxError();
  parts.push_back(Trim(current));
  return parts;
}

void StripEnclosingParens(Chars& arg) {
  while (arg.size() >= 2 && arg.front() == '(' && arg.back() == ')') {
    int depth = 0;
    std::size_t closes_first = Chars::npos;
    for (std::size_t i = 0; i < arg.size() && closes_first == Chars::npos; ++i) {
      if (arg[i] == '(') ++depth;
      if (arg[i] == ')' && --depth == 0) closes_first = i;
    }
    if (closes_first != arg.size() - 1) return;
    arg = Trim(std::u16string_view(arg).substr(1, arg.size() - 2));
  }
}

bool IsMovableTemp(std::string_view name) {
  return name.starts_with(kTempPrefix) && !name.starts_with(kElementPrefix) && name != kResultName;
}

// Integers are decimal or "$" hexadecimal ("0x" makes no number here).
std::optional<int32_t> OperandInt(std::string_view text) {
  std::string_view digits = text;
  if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) digits.remove_prefix(1);
  if (digits.size() > 1 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return std::nullopt;
  return ParseInt32(text);
}

void WriteOperandText(ByteWriter& out, const std::string& text) {
  if (std::optional<int32_t> n = OperandInt(text)) {
    out.U8(PT_INT);
    out.I32(*n);
  } else if (std::optional<long double> x = ParseReal(text)) {
    out.U8(PT_FLOAT);
    out.Extended(*x);
  } else if (text == "TRUE" || text == "FALSE") {
    out.U8(PT_BOOL);
    out.Bool(text == "TRUE");
  } else if (text.size() > 1 && text.front() == '"' && text.back() == '"') {
    out.U8(PT_STR);
    out.String(std::string_view(text).substr(1, text.size() - 2));
  } else {
    out.U8(PT_NONE);
    out.String(text);
  }
}

}  // namespace

struct TBuildRivoParser::Token {
  Chars text;
  bool is_operator;
};

std::string TBuildRivoParser::NewTemp() { return kTempPrefix + std::to_string(temp_count_++); }
std::string TBuildRivoParser::NewElementTemp() { return kElementPrefix + std::to_string(temp_count_++); }

void TBuildRivoParser::Clear() {
  ops_.clear();
  temp_count_ = 0;
}

void TBuildRivoParser::Compile(std::string_view text) {
  std::size_t first = ops_.size();
  int32_t first_temp = temp_count_;
  try {
    Chars chars = Trim(ToChars(text));
    if (chars.empty()) {
      ops_.push_back({ocTo, kResultName, {}, {""}});
      return;
    }
    CompileText(std::move(chars));
    RemoveMoves(first);
  } catch (...) {
    ops_.resize(first);
    temp_count_ = first_temp;
    throw;
  }
}

void TBuildRivoParser::CompileText(Chars text) {
  StringLiterals(text);
  FunctionCalls(text);
  ArrayElements(text);
  Groups(text);

  std::vector<Token> tokens;
  Chars current;
  auto flush = [&] {
    Chars operand = Trim(current);
    if (!operand.empty()) tokens.push_back({std::move(operand), false});
    current.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsOperatorChar(text[i])) {
      current.push_back(text[i]);
      continue;
    }
    flush();
    std::size_t length = 1;
    if (i + 1 < text.size()) {
      std::u16string_view pair = std::u16string_view(text).substr(i, 2);
      for (std::u16string_view p : kPairs)
        if (pair == p) length = 2;
    }
    tokens.push_back({text.substr(i, length), true});
    i += length - 1;
  }
  flush();

  // Signs: a "+" or "-" after an operator belongs to the operand after it.
  for (std::size_t i = tokens.size() >= 2 ? tokens.size() - 2 : 0; i >= 1 && i < tokens.size(); --i) {
    const Token& sign = tokens[i];
    if (!sign.is_operator || (sign.text != u"+" && sign.text != u"-")) continue;
    const Chars& before = tokens[i - 1].text;
    if (before.empty() || before[0] >= 0x80 ||
        std::string_view("=+-*/%&^|[(,<>").find(static_cast<char>(before[0])) == std::string_view::npos)
      continue;
    if (sign.text == u"+") {
      tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    std::string temp = NewTemp();
    ops_.push_back({ocMinus, temp, {}, {"0", ToBytes(tokens[i + 1].text)}});
    tokens[i] = {ToChars(temp), false};
    tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i) + 1);
  }
  Reduce(std::move(tokens));
}

// A literal runs to the next double quote; \" and \\ keep the character
// after the backslash, \n becomes CR LF.
void TBuildRivoParser::StringLiterals(Chars& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '"') continue;
    Chars content;
    std::size_t j = i + 1;
    for (; j < text.size() && text[j] != '"'; ++j) {
      if (text[j] == '\\' && j + 1 < text.size() && (text[j + 1] == '"' || text[j + 1] == '\\')) {
        content.push_back(text[++j]);
      } else if (text[j] == '\\' && j + 1 < text.size() && text[j + 1] == 'n') {
        content += u"\r\n";
        ++j;
      } else {
        content.push_back(text[j]);
      }
    }
    if (j >= text.size()) SyntaxError();
    std::string temp = NewTemp();
    ops_.push_back({ocTo, temp, {}, {"\"" + ToBytes(content) + "\""}});
    Chars name = ToChars(temp);
    text.replace(i, j - i + 1, name);
    i += name.size() - 1;
  }
}

std::string TBuildRivoParser::Operand(const Chars& text) {
  if (!HasOperatorChar(text)) return ToBytes(text);
  std::string temp = NewTemp();
  CompileText(ToChars(temp) + u"=" + text);
  return temp;
}

// The rightmost call first, so inner and right-hand calls are done before
// the calls that use them.
void TBuildRivoParser::FunctionCalls(Chars& text) {
  for (;;) {
    std::vector<std::size_t> match = MatchParens(text);
    std::size_t open = Chars::npos;
    for (std::size_t i = text.size(); i-- > 0;) {
      if (text[i] == '(' && IsIdent(NearestLeft(text, i))) {
        open = i;
        break;
      }
    }
    if (open == Chars::npos) return;
    std::size_t last = open - 1;
    while (IsBlank(text[last])) --last;
    std::size_t start = last;
    while (start > 0 && IsIdent(text[start - 1])) --start;
    std::size_t close = match[open];

    TBuildOpeData call{ocFunc, {}, ToBytes(std::u16string_view(text).substr(start, last - start + 1)), {}};
    Chars inner = text.substr(open + 1, close - open - 1);
    if (!Trim(inner).empty()) {
      for (Chars& arg : SplitArguments(inner, true)) {
        StripEnclosingParens(arg);
        call.operands.push_back(Operand(arg));
      }
    }
    call.dest = NewTemp();
    Chars name = ToChars(call.dest);
    ops_.push_back(std::move(call));
    text.replace(start, close - start + 1, name);
  }
}

// The last "[" first: an index never holds an element still to be done.
void TBuildRivoParser::ArrayElements(Chars& text) {
  for (std::size_t open; (open = text.rfind(u'[')) != Chars::npos;) {
    std::size_t close = text.find(u']', open);
    if (close == Chars::npos) SyntaxError();
    std::size_t end = open;
    while (end > 0 && IsBlank(text[end - 1])) --end;
    if (end > 0 && IsOperatorChar(text[end - 1])) SyntaxError();
    std::size_t start = end;
    while (start > 0 && !IsBlank(text[start - 1]) && !IsOperatorChar(text[start - 1])) --start;

    Chars indexes = text.substr(open + 1, close - open - 1);
    if (Trim(indexes).empty()) throw RivoError("配列の添え字が不正です");
    TBuildOpeData element{ocDimTo, {}, {}, {ToBytes(std::u16string_view(text).substr(start, end - start))}};
    for (const Chars& index : SplitArguments(indexes, false)) element.operands.push_back(Operand(index));
    element.dest = NewElementTemp();
    Chars name = ToChars(element.dest);
    ops_.push_back(std::move(element));
    text.replace(start, close - start + 1, name);
  }
}

void TBuildRivoParser::Groups(Chars& text) {
  for (;;) {
    std::vector<std::size_t> match = MatchParens(text);
    std::size_t open = Chars::npos;
    for (std::size_t i = text.size(); i-- > 0;) {
      if (text[i] == '(' && !IsIdent(NearestLeft(text, i))) {
        open = i;
        break;
      }
    }
    if (open == Chars::npos) return;
    std::size_t close = match[open];
    std::string temp = NewTemp();
    CompileText(ToChars(temp) + u"=" + text.substr(open + 1, close - open - 1));
    text.replace(open, close - open + 1, ToChars(temp));
  }
}

void TBuildRivoParser::Reduce(std::vector<Token> tokens) {
  bool assigned = false;
  for (;;) {
    std::size_t at = Chars::npos;
    for (const auto& level : kLevels) {
      for (std::size_t i = 0; i < tokens.size() && at == Chars::npos; ++i)
        if (tokens[i].is_operator)
          for (std::u16string_view op : level)
            if (tokens[i].text == op) at = i;
      if (at != Chars::npos) break;
    }
    if (at == Chars::npos) {
      if (tokens.size() == 1 && !assigned && !tokens[0].is_operator) ops_.push_back({ocTo, kResultName, {}, {ToBytes(tokens[0].text)}});
      else if (!tokens.empty()) SyntaxError();
      return;
    }
    if (at + 1 >= tokens.size()) SyntaxError();
    std::u16string_view op = tokens[at].text;
    std::string right = ToBytes(tokens[at + 1].text);
    auto first = tokens.begin() + static_cast<std::ptrdiff_t>(at);
    if (op == u"=") {
      if (at == 0) SyntaxError();
      ops_.push_back({ocTo, ToBytes(tokens[at - 1].text), {}, {right}});
      tokens.erase(first - 1, first + 2);
      assigned = true;
      continue;
    }
    static const std::array<std::pair<std::u16string_view, uint8_t>, 17> kCodes = {{
        {u"*", ocMul}, {u"/", ocDiv}, {u"%", ocMod}, {u"+", ocPlus}, {u"-", ocMinus}, {u"<<", ocShiftL},
        {u">>", ocShiftR}, {u"==", ocEqual}, {u">=", ocEBig}, {u"<=", ocESmall}, {u">", ocBig},
        {u"<", ocSmall}, {u"<>", ocNEqual}, {u"++", ocComboStr}, {u"&", ocAnd}, {u"^", ocXor}, {u"|", ocOr},
    }};
    uint8_t code = ocNone;
    for (const auto& [text, value] : kCodes)
      if (op == text) code = value;
    std::string temp = NewTemp();
    if (at == 0) {
      if (code != ocPlus && code != ocMinus) SyntaxError();
      ops_.push_back({code, temp, {}, {"0", right}});
      tokens[0] = {ToChars(temp), false};
      tokens.erase(tokens.begin() + 1);
      continue;
    }
    const Chars& left = tokens[at - 1].text;
    if (!left.empty() && IsOperatorChar(left[0])) SyntaxError();
    ops_.push_back({code, temp, {}, {ToBytes(left), right}});
    tokens[at - 1] = {ToChars(temp), false};
    tokens.erase(first, first + 2);
  }
}

// A move from one temporary into another is dropped and later uses of the
// destination read the source instead.
void TBuildRivoParser::RemoveMoves(std::size_t first) {
  for (std::size_t i = first; i < ops_.size();) {
    const TBuildOpeData& op = ops_[i];
    if (op.opcode != ocTo || op.operands.size() != 1 || !IsMovableTemp(op.dest) || !IsMovableTemp(op.operands[0])) {
      ++i;
      continue;
    }
    std::string from = op.dest, to = op.operands[0];
    ops_.erase(ops_.begin() + static_cast<std::ptrdiff_t>(i));
    for (std::size_t j = i; j < ops_.size(); ++j) {
      if (ops_[j].dest == from) ops_[j].dest = to;
      for (std::string& operand : ops_[j].operands)
        if (operand == from) operand = to;
    }
  }
}

void TBuildRivoParser::SaveToStream(ByteWriter& out) const {
  ByteWriter body;
  for (const TBuildOpeData& op : ops_) {
    body.U8(op.opcode);
    body.String(op.dest);
    body.I32(static_cast<int32_t>(op.operands.size()));
    if (op.opcode == ocFunc) {
      int32_t index = FindFunction(op.function);
      if (index < 0) throw RivoError("\"%s\" 関数名がありません", op.function);
      const FunctionInfo& info = *FunctionAt(index);
      int32_t count = static_cast<int32_t>(op.operands.size());
      if (count < info.min_args || (info.max_args >= 0 && count > info.max_args))
        throw RivoError("%s 引数の数が不正です", op.function);
      body.U8(static_cast<uint8_t>(index));
    }
    for (const std::string& operand : op.operands) WriteOperandText(body, operand);
  }
  out.I32(static_cast<int32_t>(ops_.size()));
  out.Bytes(body.data());
}

void CompileExpression(std::string_view text, TRivoParser& out) {
  TBuildRivoParser builder;
  builder.Compile(text);
  ByteWriter compiled;
  builder.SaveToStream(compiled);
  ByteReader in(compiled.data(), "");
  out.LoadFromStream(in);
}

}  // namespace rivo
