#pragma once
// TBuildRivoParser: compiles expression text into the compiled form.
//
// The text is rewritten in passes: string literals, function calls, array
// elements and parenthesised groups are each replaced by a temporary that
// an operation computes, then what remains is split into tokens and reduced
// by operator precedence. "++" (text concatenation) binds more loosely than
// the comparisons, and "&", "^", "|" more loosely still, so a ++ b == c
// concatenates a with the flag of b == c. Finally moves from one temporary
// into another are removed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rivo {

class ByteWriter;
class TRivoParser;

struct TBuildOpeData {
  uint8_t opcode = 0;
  std::string dest;
  std::string function;               // ocFunc only
  std::vector<std::string> operands;  // texts, typed when written
};

class TBuildRivoParser {
 public:
  // Appends the operations of one expression. Raises "構文エラー" for
  // unbalanced brackets, misplaced operators and stray tokens, and
  // "配列の添え字が不正です" for an element without an index.
  void Compile(std::string_view text);
  // Writes the compiled form. Raises "\"name\" 関数名がありません" for an
  // unknown function and "name 引数の数が不正です" for a wrong argument count.
  void SaveToStream(ByteWriter& out) const;
  void Clear();

  const std::vector<TBuildOpeData>& Operations() const { return ops_; }

 private:
  using Chars = std::u16string;  // one element per character (a double-byte one as lead << 8 | trail)
  struct Token;

  void CompileText(Chars text);
  void StringLiterals(Chars& text);
  void FunctionCalls(Chars& text);
  void ArrayElements(Chars& text);
  void Groups(Chars& text);
  void Reduce(std::vector<Token> tokens);
  // The operand for an argument or index: itself, or a temporary holding it
  // when it is an expression.
  std::string Operand(const Chars& text);
  std::string NewTemp();
  std::string NewElementTemp();
  void RemoveMoves(std::size_t first);

  std::vector<TBuildOpeData> ops_;
  int32_t temp_count_ = 0;
};

// Compiles text straight into a runnable expression (compile errors raise).
void CompileExpression(std::string_view text, TRivoParser& out);

}  // namespace rivo
