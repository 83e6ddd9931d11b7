// Variables in text: each VAR glyph is followed by the glyphs of its value,
// evaluated now or taken from the values a page recorded when it was shown,
// so that a restored window or a history entry reads as it did then.

#include <algorithm>
#include <climits>
#include <map>

#include "common/sjis.h"
#include "script/build_rivo_parser.h"
#include "script/param_collection.h"
#include "script/script_text.h"
#include "text/qn_word.h"

namespace rivo {
namespace {

TWdOpeVar* AsVar(TWdGlyph& glyph) {
  return glyph.Kind() == GK_VAR && !glyph.IsGenerated() ? static_cast<TWdOpeVar*>(&glyph) : nullptr;
}

// The value of an expression as text; nothing when it does not compile or
// run.
std::string Evaluate(TRivoParser& expression, TParamCollection& store) {
  expression.Evaluate(store);
  const TCustomParam* result = expression.Result();
  return result && expression.LastError().empty() ? result->AsStr() : std::string();
}

std::string EvaluateName(std::string_view name, TParamCollection& store) {
  std::string_view text = TrimBlanks(name);
  if (text.empty()) return {};
  TRivoParser expression;
  try {
    CompileExpression(text, expression);
  } catch (const std::exception&) {
    return {};
  }
  return Evaluate(expression, store);
}

}  // namespace

std::string TQnWord::RecordedValue(const std::string& name) const {
  // An expression may itself hold "=", so a line is matched by the longest
  // variable name of this word that starts it followed by "=".
  std::map<std::string, std::string> values;
  std::vector<const std::string*> names;
  for (const auto& g : glyphs_)
    if (g->Kind() == GK_VAR && !g->IsGenerated()) names.push_back(&static_cast<const TWdOpeVar&>(*g).Name);
  for (const std::string& line : VarValues) {
    const std::string* owner = nullptr;
    for (const std::string* n : names)
      if (!n->empty() && line.size() > n->size() && line.compare(0, n->size(), *n) == 0 && line[n->size()] == '=' &&
          (!owner || n->size() > owner->size()))
        owner = n;
    if (owner && *owner == name) {
      std::string value = line.substr(name.size() + 1);
      std::replace(value.begin(), value.end(), '\x01', '\r');
      return value;
    }
  }
  return {};
}

std::string TQnWord::VarText(TWdOpeVar& var) const {
  if (var.Name.empty()) return var.Expression && Variables ? Evaluate(*var.Expression, *Variables) : std::string();
  if (!VarValues.empty()) return RecordedValue(var.Name);
  return Variables ? EvaluateName(var.Name, *Variables) : std::string();
}

int32_t TQnWord::RangeEnd(int32_t last) const {
  return last < 0 || last >= Count() ? Count() - 1 : last;
}

void TQnWord::ExpandVars(int32_t first, int32_t last) {
  first = std::max(first, 0);
  for (int32_t i = RangeEnd(last); i >= first; --i) {
    TWdOpeVar* var = AsVar(*glyphs_[static_cast<std::size_t>(i)]);
    if (!var) continue;
    RemoveGenerated(i);
    std::string text = VarText(*var);
    std::vector<std::unique_ptr<TWdGlyph>> made;
    for (std::size_t k = 0; k < text.size();) {
      std::size_t size = sjis::CharSize(text, k);
      uint8_t lead = static_cast<uint8_t>(text[k]);
      if (lead == '\r') {
        made.push_back(std::make_unique<TWdVarReturn>());
      } else if (lead >= 32) {
        auto c = std::make_unique<TWdVarChar>();
        c->Code = size == 2 ? static_cast<uint16_t>(lead << 8 | static_cast<uint8_t>(text[k + 1])) : lead;
        c->Decoration = var->Decoration;
        if (c->Decoration) ++c->Decoration->RefCount;
        c->Link = var->Link;
        c->Wait = var->Wait;
        made.push_back(std::move(c));
      }
      k += size;
    }
    for (auto& g : made) var->Generated.push_back(g.get());
    glyphs_.insert(glyphs_.begin() + i + 1, std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
  }
}

void TQnWord::CollapseVars(int32_t first, int32_t last) {
  first = std::max(first, 0);
  for (int32_t i = RangeEnd(last); i >= first; --i)
    if (AsVar(*glyphs_[static_cast<std::size_t>(i)])) RemoveGenerated(i);
}

void TQnWord::RemoveGenerated(int32_t index) {
  auto& var = static_cast<TWdOpeVar&>(*glyphs_[static_cast<std::size_t>(index)]);
  auto begin = glyphs_.begin() + index + 1;
  auto end = begin + static_cast<std::ptrdiff_t>(var.Generated.size());
  for (auto it = begin; it != end; ++it)
    if ((*it)->Kind() == GK_CHAR) decorations_.Release(static_cast<TWdChar&>(**it).Decoration);
  glyphs_.erase(begin, end);
  var.Generated.clear();
}

void TQnWord::RecordVarValues(TWdPage& page) const {
  std::vector<std::string> listed;
  std::string lines;
  for (const auto& row : page.Rows) {
    for (TWdGlyph* g : row->Glyphs) {
      if (g->Kind() != GK_VAR || g->IsGenerated()) continue;
      const auto& var = static_cast<const TWdOpeVar&>(*g);
      if (var.Name.empty() || std::find(listed.begin(), listed.end(), var.Name) != listed.end()) continue;
      listed.push_back(var.Name);
      std::string line = var.Name + "=";
      for (const TWdGlyph* made : var.Generated) {
        if (made->Kind() == GK_CHAR) static_cast<const TWdChar&>(*made).AppendText(line);
        else line += '\x01';
      }
      if (!lines.empty()) lines += "\r\n";
      lines += line;
    }
  }
  page.RecordedValues = std::move(lines);
}

}  // namespace rivo

namespace rivo {

void TQnWord::SetVarValues(std::string_view recorded) {
  VarValues.clear();
  std::size_t start = 0;
  while (start < recorded.size()) {
    std::size_t end = recorded.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = recorded.size();
    if (end > start) VarValues.emplace_back(recorded.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace rivo
