#include "scenario/expression_text.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <set>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/encoding.h"
#include "common/error.h"
#include "common/extended_real.h"
#include "common/number_text.h"
#include "common/sjis.h"
#include "scenario/source_text.h"
#include "script/build_rivo_parser.h"
#include "script/function_table.h"
#include "script/opcodes.h"
#include "script/rivo_parser.h"

namespace rivo {
namespace {

const std::string kResult = "____arg";

bool IsTemp(const std::string& name) { return name.size() > 4 && name.compare(0, 4, "____") == 0 && name != kResult; }
bool IsElementTemp(const std::string& name) { return name.compare(0, 6, "____d_") == 0; }

// The binding level of each operator as the compiler reduces them, tightest
// first; 0 is an atom.
int LevelOf(uint8_t opcode) {
  switch (opcode) {
    case ocMul: case ocDiv: case ocMod: return 1;
    case ocPlus: case ocMinus: return 2;
    case ocShiftL: case ocShiftR: return 3;
    case ocEqual: case ocBig: case ocSmall: case ocEBig: case ocESmall: case ocNEqual: return 4;
    case ocComboStr: return 5;
    case ocAnd: return 6;
    case ocXor: return 7;
    case ocOr: return 8;
    default: return -1;
  }
}

const char* SymbolOf(uint8_t opcode) {
  switch (opcode) {
    case ocPlus: return "+";
    case ocMinus: return "-";
    case ocMul: return "*";
    case ocDiv: return "/";
    case ocMod: return "%";
    case ocOr: return "|";
    case ocAnd: return "&";
    case ocXor: return "^";
    case ocEqual: return "==";
    case ocBig: return ">";
    case ocSmall: return "<";
    case ocEBig: return ">=";
    case ocESmall: return "<=";
    case ocShiftL: return "<<";
    case ocShiftR: return ">>";
    case ocComboStr: return "++";
    case ocNEqual: return "<>";
    default: return nullptr;
  }
}

// A string literal as the compiler reads it back.
std::string LiteralText(std::string_view s) {
  std::string out = "\"";
  for (std::size_t i = 0; i < s.size();) {
    std::size_t size = sjis::CharSize(s, i);
    if (size == 1 && s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
      out += "\\n";
      i += 2;
      continue;
    }
    if (size == 1 && (s[i] == '"' || s[i] == '\\')) out += '\\';
    out.append(s.substr(i, size));
    i += size;
  }
  return out + "\"";
}

struct Term {
  std::string text;
  int level = 0;
};

class Decompiler {
 public:
  std::optional<std::string> Run(const TRivoParser& parser) {
    const auto& ops = parser.Operations();
    for (std::size_t i = 0; i < ops.size(); ++i) {
      const TOpeData& op = ops[i];
      const bool last = i + 1 == ops.size();
      if (IsTemp(op.dest)) {
        if (terms_.count(op.dest) && !IsElementTemp(op.dest)) return std::nullopt;
        // The assignment to an element is the statement itself.
        if (op.opcode == ocTo && IsElementTemp(op.dest) && terms_.count(op.dest)) {
          if (!last || op.operands.size() != 1) return std::nullopt;
          auto value = Operand(op.operands[0]);
          if (!value) return std::nullopt;
          return terms_[op.dest].text + " = " + value->text;
        }
        auto term = Build(op);
        if (!term) return std::nullopt;
        terms_[op.dest] = *term;
        continue;
      }
      // The statement: the value of the expression, or one assignment.
      if (!last || op.opcode != ocTo || op.operands.size() != 1) return std::nullopt;
      auto value = Operand(op.operands[0]);
      if (!value) return std::nullopt;
      if (op.dest == kResult) return value->text;
      return op.dest + " = " + value->text;
    }
    return std::nullopt;
  }

 private:
  std::optional<Term> Operand(const TOpeOperand& operand) {
    if (!operand.literal) {
      if (IsTemp(operand.name)) {
        // The compiler uses each temporary once; a text that repeated one
        // could double with every operation.
        auto found = terms_.find(operand.name);
        if (found == terms_.end() || !used_.insert(operand.name).second) return std::nullopt;
        return found->second;
      }
      return Term{operand.name, 0};
    }
    const TCustomParam& v = *operand.literal;
    switch (v.GetKind()) {
      case PT_INT: return Term{IntToStr(v.AsInt()), 0};
      case PT_FLOAT: {
        std::string text = FloatToStr(v.AsFloat());
        if (text.find_first_of(".E") == std::string::npos) text += ".0";
        return Term{text, 0};
      }
      case PT_BOOL: return Term{v.AsBool() ? "TRUE" : "FALSE", 0};
      default: return Term{LiteralText(v.AsStr()), 0};
    }
  }

  std::optional<std::string> Arguments(const TOpeData& op, std::size_t first) {
    std::string out;
    for (std::size_t k = first; k < op.operands.size(); ++k) {
      auto term = Operand(op.operands[k]);
      if (!term) return std::nullopt;
      out += (k > first ? ", " : "") + term->text;
    }
    return out;
  }

  std::optional<Term> Build(const TOpeData& op) {
    const auto& operands = op.operands;
    if (op.opcode == ocTo) {
      if (operands.size() != 1) return std::nullopt;
      const TOpeOperand& source = operands[0];
      if (source.literal && source.literal->GetKind() == PT_STR) return Term{LiteralText(source.literal->AsStr()), 0};
      auto term = Operand(source);
      if (!term) return std::nullopt;
      // A move from a plain name or literal is a group in parentheses.
      if (source.literal || !IsTemp(source.name)) return Term{"(" + term->text + ")", 0};
      return term;
    }
    if (op.opcode == ocFunc) {
      const FunctionInfo* info = FunctionAt(op.function);
      auto args = Arguments(op, 0);
      if (!info || !args) return std::nullopt;
      return Term{std::string(info->name) + "(" + *args + ")", 0};
    }
    if (op.opcode == ocDimTo) {
      if (operands.size() < 2 || operands[0].literal) return std::nullopt;
      auto indexes = Arguments(op, 1);
      if (!indexes) return std::nullopt;
      return Term{operands[0].name + "[" + *indexes + "]", 0};
    }
    const char* symbol = SymbolOf(op.opcode);
    if (!symbol || operands.size() != 2) return std::nullopt;
    auto left = Operand(operands[0]);
    auto right = Operand(operands[1]);
    if (!left || !right) return std::nullopt;
    auto group = [](const Term& t) { return "(" + t.text + ")"; };
    // 0 - x is how the compiler writes a unary minus.
    if (op.opcode == ocMinus && operands[0].literal && operands[0].literal->GetKind() == PT_INT &&
        operands[0].literal->AsInt() == 0)
      return Term{"-" + (right->level > 0 ? group(*right) : right->text), 0};
    int level = LevelOf(op.opcode);
    std::string l = left->level > level ? group(*left) : left->text;
    std::string r = right->level >= level ? group(*right) : right->text;
    return Term{l + " " + symbol + " " + r, level};
  }

  std::map<std::string, Term> terms_;
  std::set<std::string> used_;
};

std::string Bytes(const TRivoParser& parser) {
  ByteWriter out;
  parser.SaveToStream(out);
  return out.Take();
}

// --- the operation list form ---

std::string OperandListing(const TOpeOperand& operand) {
  if (!operand.literal) return "v:" + QuoteCp932(operand.name);
  const TCustomParam& v = *operand.literal;
  switch (v.GetKind()) {
    case PT_INT: return "i:" + IntToStr(v.AsInt());
    case PT_FLOAT: {
      long double value = v.AsFloat();
      std::string text = FloatToStr(value);
      if (std::optional<long double> back = ParseReal(text); back && *back == value) return "r:" + text;
      uint8_t bytes[kExtendedSize];
      EncodeExtended(value, bytes);
      std::string hex = "r:x";
      for (uint8_t b : bytes) {
        char two[4];
        std::snprintf(two, sizeof two, "%02X", b);
        hex += two;
      }
      return hex;
    }
    case PT_BOOL: return std::string("f:") + (v.AsBool() ? "TRUE" : "FALSE");
    default: return "s:" + QuoteCp932(v.AsStr());
  }
}

std::string OperationListing(const TRivoParser& parser) {
  std::string out = "{";
  bool first = true;
  for (const TOpeData& op : parser.Operations()) {
    out += first ? "" : "; ";
    first = false;
    out += OpCodeName(op.opcode) + " " + QuoteCp932(op.dest);
    if (op.opcode == ocFunc) out += " #" + std::to_string(op.function);
    for (const TOpeOperand& operand : op.operands) out += " " + OperandListing(operand);
  }
  return out + "}";
}

class ListingParser {
 public:
  explicit ListingParser(std::string_view text) : text_(text) {}

  std::string Compile() {
    Expect('{');
    std::vector<std::string> ops;
    SkipBlanks();
    if (Peek() == '}') {
      ++pos_;
    } else {
      for (;;) {
        ops.push_back(Operation());
        SkipBlanks();
        if (Peek() == ';') {
          ++pos_;
          continue;
        }
        Expect('}');
        break;
      }
    }
    SkipBlanks();
    if (pos_ != text_.size()) Fail("text after the closing brace");
    ByteWriter out;
    out.I32(static_cast<int32_t>(ops.size()));
    for (const std::string& op : ops) out.Bytes(op);
    return out.Take();
  }

 private:
  std::string Operation() {
    SkipBlanks();
    std::string name = Word();
    int opcode = -1;
    for (int code = 0; code <= 255; ++code)
      if (OpCodeName(static_cast<uint8_t>(code)) == name) opcode = code;
    if (opcode < 0) Fail("unknown operation " + name);
    SkipBlanks();
    std::string dest = Quoted();
    int function = -1;
    SkipBlanks();
    if (Peek() == '#') {
      ++pos_;
      function = Number<int>();
      if (function < 0 || function > 255) Fail("function number out of range");
    }
    if ((opcode == ocFunc) != (function >= 0)) Fail("a function number goes with ocFunc, and only with it");
    ByteWriter operands;
    int32_t count = 0;
    for (;;) {
      SkipBlanks();
      if (Peek() == ';' || Peek() == '}' || Peek() == 0) break;
      Operand(operands);
      ++count;
    }
    ByteWriter out;
    out.U8(static_cast<uint8_t>(opcode));
    out.String(dest);
    out.I32(count);
    if (function >= 0) out.U8(static_cast<uint8_t>(function));
    out.Bytes(operands.data());
    return out.Take();
  }

  void Operand(ByteWriter& out) {
    char kind = Peek();
    if (pos_ + 1 >= text_.size() || text_[pos_ + 1] != ':') Fail("an operand is KIND:VALUE");
    pos_ += 2;
    switch (kind) {
      case 'v': out.U8(0); out.String(Quoted()); break;
      case 'i': out.U8(1); out.I32(Number<int32_t>()); break;
      case 'r': out.U8(2); out.Extended(Real()); break;
      case 'f': {
        std::string word = Word();
        if (word != "TRUE" && word != "FALSE") Fail("a flag is TRUE or FALSE");
        out.U8(3);
        out.U8(word == "TRUE" ? 1 : 0);
        break;
      }
      case 's': out.U8(4); out.String(Quoted()); break;
      default: Fail(std::string("unknown operand kind ") + kind);
    }
  }

  long double Real() {
    std::string word = Word();
    if (word.size() == 21 && word[0] == 'x') {
      uint8_t bytes[kExtendedSize];
      for (int i = 0; i < kExtendedSize; ++i) {
        unsigned b = 0;
        if (std::sscanf(word.substr(1 + 2 * static_cast<std::size_t>(i), 2).c_str(), "%2X", &b) != 1) Fail("bad real");
        bytes[i] = static_cast<uint8_t>(b);
      }
      return DecodeExtended(bytes);
    }
    std::optional<long double> value = ParseReal(word);
    if (!value) Fail("bad real " + word);
    return *value;
  }

  template <typename T>
  T Number() {
    std::string word = Word();
    std::optional<int32_t> value = ParseInt32(word);
    if (!value) Fail("bad number " + word);
    return static_cast<T>(*value);
  }

  std::string Word() {
    std::size_t start = pos_;
    while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_])) && text_[pos_] != ';' &&
           text_[pos_] != '}')
      ++pos_;
    if (start == pos_) Fail("a word is missing");
    return std::string(text_.substr(start, pos_ - start));
  }

  std::string Quoted() {
    std::optional<std::string> value = UnquoteCp932(text_, pos_);
    if (!value) Fail("a quoted string is expected");
    return *value;
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : 0; }
  void Expect(char c) {
    SkipBlanks();
    if (Peek() != c) Fail(std::string("'") + c + "' expected");
    ++pos_;
  }
  [[noreturn]] void Fail(const std::string& what) {
    throw RivoError("operation list: " + what + " at column " + std::to_string(pos_ + 1));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<std::string> DecompileExpression(const TRivoParser& expression) {
  std::optional<std::string> text = Decompiler().Run(expression);
  if (!text) return std::nullopt;
  // Only a text that compiles back to the same operations will do.
  try {
    TBuildRivoParser compiler;
    compiler.Compile(*text);
    ByteWriter out;
    compiler.SaveToStream(out);
    if (out.data() != Bytes(expression)) return std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return text;
}

std::string ExpressionSource(const TRivoParser& expression) {
  if (expression.Operations().empty()) return {};
  if (std::optional<std::string> text = DecompileExpression(expression)) {
    std::optional<std::string> utf8 = PlainUtf8(*text);
    if (utf8 && !utf8->empty() && utf8->front() != '{' && utf8->front() != ' ' && utf8->back() != ' ') return *utf8;
  }
  return OperationListing(expression);
}

std::string CompileExpressionSource(std::string_view utf8) {
  std::size_t start = utf8.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    ByteWriter out;
    out.I32(0);
    return out.Take();
  }
  if (utf8[start] == '{') return ListingParser(utf8.substr(start)).Compile();
  TBuildRivoParser compiler;
  compiler.Compile(Utf8ToCp932(utf8));
  ByteWriter out;
  compiler.SaveToStream(out);
  return out.Take();
}

}  // namespace rivo
