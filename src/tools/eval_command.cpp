// rivotool eval EXPR [--var NAME=KIND:VALUE]... [--folder DIR] [--seed N]
// rivotool eval --ops EXPR
//
// Compiles EXPR the way the player compiles the "Calc" function's text, runs
// it against a fresh variable store that holds the given variables, and
// prints the result as KIND:VALUE (or "none"), then each variable the run
// created or changed as NAME=KIND:VALUE. With --ops it prints the compiled
// operations instead. Text is UTF-8 on the command line and in the output.
// The system functions read text files from DIR (the current folder when
// not given) and draw random numbers seeded with N (the clock when not given).

#include "tools/eval_command.h"

#include <charconv>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>

#include "common/byte_writer.h"
#include "common/encoding.h"
#include "common/error.h"
#include "common/number_text.h"
#include "content/vr_file_manager.h"
#include "script/build_rivo_parser.h"
#include "script/function_table.h"
#include "script/kind_words.h"
#include "script/opcodes.h"
#include "script/param_collection.h"
#include "script/player_system_services.h"
#include "script/rivo_parser.h"
#include "script/sys_func_man.h"
#include "tools/terminal_message.h"

namespace rivo::tools {

namespace {

constexpr const char* kUsage = "usage: rivotool eval EXPR [--var NAME=KIND:VALUE]... [--folder DIR] [--seed N]\n"
                               "       rivotool eval --ops EXPR\n"
                               "KIND: integer, real, flag or string\n";

struct VariableArg {
  std::string name;  // CP932
  uint8_t kind;
  std::string value;  // CP932
};


std::string QuoteText(const std::string& text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else {
      if (text[i] == '"' || text[i] == '\\') out += '\\';
      out += text[i];
    }
  }
  return Cp932ToUtf8(out + "\"");
}

std::string DescribeOperand(const TOpeOperand& operand) {
  if (!operand.literal) return Cp932ToUtf8(operand.name);
  switch (operand.literal->GetKind()) {
    case PT_FLOAT: {
      // Always with a point or exponent, so a real never reads as an integer.
      std::string text = FloatToStr(operand.literal->AsFloat());
      if (text.find_first_of(".EN") == std::string::npos) text += ".0";
      return text;
    }
    case PT_STR: return QuoteText(operand.literal->AsStr());
    default: return operand.literal->AsStr();
  }
}

void PrintOperations(const TRivoParser& parser) {
  for (const TOpeData& op : parser.Operations()) {
    std::cout << OpCodeName(op.opcode) << " " << Cp932ToUtf8(op.dest) << " :=";
    std::string operands;
    for (const TOpeOperand& operand : op.operands) operands += (operands.empty() ? "" : ", ") + DescribeOperand(operand);
    if (op.opcode == ocFunc) std::cout << " " << FunctionAt(op.function)->name << "(" << operands << ")\n";
    else std::cout << (operands.empty() ? "" : " ") << operands << "\n";
  }
}

std::optional<VariableArg> ParseVariable(const std::string& spec) {
  std::size_t equals = spec.find('=');
  if (equals == std::string::npos) return std::nullopt;
  std::size_t colon = spec.find(':', equals);
  if (colon == std::string::npos) return std::nullopt;
  std::optional<uint8_t> kind = KindFromWord(std::string_view(spec).substr(equals + 1, colon - equals - 1));
  if (!kind) return std::nullopt;
  std::string value = spec.substr(colon + 1);
  bool valid = true;
  switch (*kind) {
    case PT_INT: valid = ParseInt32(value).has_value(); break;
    case PT_FLOAT: valid = ParseReal(value).has_value(); break;
    case PT_BOOL: valid = value == "TRUE" || value == "FALSE"; break;
    default: break;
  }
  if (!valid) return std::nullopt;
  return VariableArg{Utf8ToCp932(spec.substr(0, equals)), *kind, Utf8ToCp932(value)};
}

// The saved bytes of a variable: equal bytes, equal kind, shape and value.
std::string Snapshot(const TParamCollectionItem& item) {
  ByteWriter out;
  out.U8(item.Param().ClassKind());
  item.Param().SaveToStream(out);
  return out.Take();
}

}  // namespace

int RunEval(const std::vector<std::string>& args) {
  bool ops_only = false;
  std::optional<std::string> expression;
  std::vector<VariableArg> variables;
  std::filesystem::path folder = std::filesystem::current_path();
  std::optional<uint32_t> seed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--ops") {
      ops_only = true;
    } else if (args[i] == "--folder" && i + 1 < args.size()) {
      folder = args[++i];
    } else if (args[i] == "--seed" && i + 1 < args.size()) {
      const std::string& text = args[++i];
      uint32_t n = 0;
      auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
      if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        std::cerr << "rivotool eval: bad --seed " << text << "\n" << kUsage;
        return 1;
      }
      seed = n;
    } else if (args[i] == "--var" && i + 1 < args.size()) {
      std::optional<VariableArg> variable = ParseVariable(args[++i]);
      if (!variable) {
        std::cerr << "rivotool eval: bad --var " << args[i] << "\n" << kUsage;
        return 1;
      }
      variables.push_back(*variable);
    } else if (!expression && (args[i].empty() || args[i][0] != '-' || args[i].size() == 1 || args[i][1] != '-')) {
      expression = args[i];
    } else {
      std::cerr << kUsage;
      return 1;
    }
  }
  if (!expression || (ops_only && !variables.empty())) {
    std::cerr << kUsage;
    return 1;
  }

  TRivoParser parser;
  CompileExpression(Utf8ToCp932(*expression), parser);
  if (ops_only) {
    PrintOperations(parser);
    return 0;
  }

  PlayerSystemServices services;
  TParamCollection store(&services);
  TVrFileManager files(std::filesystem::temp_directory_path());
  files.SetBaseFolder(folder);
  uint32_t clock_seed = static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  TSysFuncMan functions(store, &files, seed.value_or(clock_seed));
  for (const VariableArg& v : variables) {
    TParamCollectionItem* item = store.DeclareVariable(v.name, v.kind, VS_GLOBAL);
    item->Param().SetStr(v.value);
  }
  std::map<const TParamCollectionItem*, std::string> before;
  for (const auto& item : store)
    if (!item->IsSystem()) before[item.get()] = Snapshot(*item);

  parser.Evaluate(store);

  std::cout << DescribeValue(parser.Result()) << "\n";
  for (const auto& item : store) {
    if (item->IsSystem()) continue;
    auto old = before.find(item.get());
    if (old != before.end() && old->second == Snapshot(*item)) continue;
    std::cout << Cp932ToUtf8(item->Name()) << "=" << DescribeValue(&item->Param()) << "\n";
  }
  if (!parser.LastError().empty())
    std::cerr << "rivotool eval: the run stopped: " << EnglishFirst(parser.LastError()) << "\n";
  return 0;
}

}  // namespace rivo::tools
