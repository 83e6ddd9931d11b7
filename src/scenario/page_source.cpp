#include "scenario/page_source.h"

#include <cstdio>
#include <map>
#include <vector>

#include "common/byte_reader.h"
#include "common/error.h"
#include "common/number_text.h"
#include "scenario/command_codes.h"
#include "scenario/command_factory.h"
#include "scenario/expression_text.h"
#include "scenario/page.h"
#include "scenario/source_text.h"
#include "scenario/text_source.h"
#include "script/kind_words.h"
#include "script/param_kind.h"

namespace rivo {
namespace {

// Far more than any page needs, small enough that a mistyped size fails.
constexpr int64_t kMaxMaskTableBytes = int64_t{1} << 20;

constexpr const char* kScopeWords[] = {"global", "autodelete", "local", "status"};

// --- the page's structure, from which the loop targets follow ---

int32_t LoopExitOf(const TPage& page, int32_t w) {
  int32_t j = w + 1;
  while (j < page.Count() && page[j].Depth > page[w].Depth) ++j;
  if (j < page.Count() && page[j].Depth == page[w].Depth && page[j].GetType() == CC_WHILELOOP) return j + 1;
  return j;
}

// The While whose body holds position i, or -1.
int32_t EnclosingWhile(const TPage& page, int32_t i) {
  int32_t depth = page[i].Depth;
  for (int32_t j = i - 1; j >= 0; --j) {
    if (page[j].Depth >= depth) continue;
    if (page[j].GetType() == CC_WHILE) return j;
    depth = page[j].Depth;
  }
  return -1;
}

int32_t StructuralTarget(const TPage& page, int32_t i, TargetKind kind) {
  switch (kind) {
    case TargetKind::kLoopExit: return LoopExitOf(page, i);
    case TargetKind::kLoopStart: {
      int32_t j = i - 1;
      while (j >= 0 && page[j].Depth > page[i].Depth) --j;
      return j >= 0 && page[j].Depth == page[i].Depth && page[j].GetType() == CC_WHILE ? j : -1;
    }
    case TargetKind::kBreak: {
      int32_t w = EnclosingWhile(page, i);
      return w < 0 ? -1 : LoopExitOf(page, w);
    }
    case TargetKind::kContinue: {
      int32_t w = EnclosingWhile(page, i);
      if (w < 0) return -1;
      int32_t loop = LoopExitOf(page, w) - 1;
      return loop > w && page[loop].GetType() == CC_WHILELOOP && page[loop].Depth == page[w].Depth ? loop : w;
    }
    default: return 0;
  }
}

bool IsStructural(TargetKind kind) { return kind != TargetKind::kThisPage && kind != TargetKind::kNamedPage; }

std::string ByteWord(const char* key, uint8_t value) {
  std::string_view k = key;
  if (k == "kind" && IsValueKind(value)) return KindWord(value);
  if (k == "scope" && value <= 3) return kScopeWords[value];
  return std::to_string(value);
}

// --- listing ---

class Lister : public RecordFields {
 public:
  Lister(TPage& page, int32_t index, PageLabels* others, int32_t text_delay)
      : page_(page), index_(index), others_(others), text_delay_(text_delay) {}
  int32_t Version() const override { return page_.Version; }

  void Expression(const char* key, TRivoParser& e) override { Add(key, ExpressionSource(e)); }
  void Expressions(const char* key, ExpressionList& list) override {
    first_ = false;
    for (auto& e : list) lines_.emplace_back(key, ExpressionSource(*e));
  }
  void String(const char* key, std::string& text) override {
    if (std::string_view(key) == "page") page_name_ = text;
    Add(key, StringField(text));
  }
  void Int(const char* key, int32_t& value) override { Add(key, value ? std::to_string(value) : ""); }
  void Byte(const char* key, uint8_t& value) override { Add(key, value ? ByteWord(key, value) : ""); }
  void Target(const char* key, int32_t& index, TargetKind kind) override {
    if (IsStructural(kind)) {
      Add(key, index == StructuralTarget(page_, index_, kind) ? "" : std::to_string(index));
      return;
    }
    if (index == 0) return Add(key, "");
    std::optional<std::string> label;
    if (page_name_ == page_.Name) {
      if (page_.Holds(index) && page_.IndexOfLabel(LabelText(index)) == index) label = LabelText(index);
    } else if (others_) {
      label = others_->LabelAt(page_name_, index);
    }
    // A label is shown only when it comes back as the same text.
    if (label && !label->empty()) {
      std::optional<std::string> plain = PlainUtf8(*label);
      if (plain && plain->front() != ' ' && plain->back() != ' ') return Add(key, "@" + *plain);
    }
    Add(key, std::to_string(index));
  }
  // The only bytes field is the stored glyph list of TextIns.
  void Bytes(const char* key, std::string& bytes) override {
    Add(key, bytes.empty() ? "" : TextFieldSource(bytes, text_delay_));
  }
  void Properties(PropertySlots& slots) override {
    first_ = false;
    for (int32_t id = 0; id < kPropertyCount; ++id) {
      auto& slot = slots[static_cast<std::size_t>(id)];
      if (slot && !slot->Operations().empty()) lines_.emplace_back(FindProperty(id)->name, ExpressionSource(*slot));
    }
  }

  std::string inline_value;
  std::vector<std::pair<std::string, std::string>> lines_;

 private:
  std::string LabelText(int32_t index) {
    struct Probe : RecordFields {
      int32_t version;
      std::string text;
      int32_t Version() const override { return version; }
      void Expression(const char*, TRivoParser&) override {}
      void Expressions(const char*, ExpressionList&) override {}
      void String(const char*, std::string& t) override { text = t; }
      void Int(const char*, int32_t&) override {}
      void Byte(const char*, uint8_t&) override {}
      void Target(const char*, int32_t&, TargetKind) override {}
      void Bytes(const char*, std::string&) override {}
      void Properties(PropertySlots&) override {}
    } probe;
    probe.version = page_.Version;
    TCommand& c = page_[index];
    if (c.GetType() != CC_LABEL && c.GetType() != CC_COMMENT) return {};
    c.Fields(probe);
    return probe.text;
  }

  void Add(const char* key, std::string value) {
    bool first = first_;
    first_ = false;
    if (value.empty()) return;
    if (first) inline_value = std::move(value);
    else lines_.emplace_back(key, std::move(value));
  }

  TPage& page_;
  int32_t index_;
  PageLabels* others_;
  int32_t text_delay_;
  std::string page_name_;
  bool first_ = true;
};

std::string BitList(std::string_view entry) {
  std::string out;
  int32_t bits = static_cast<int32_t>(entry.size()) * 8;
  auto set = [&](int32_t b) { return (static_cast<uint8_t>(entry[static_cast<std::size_t>(b / 8)]) >> (b % 8)) & 1; };
  for (int32_t b = 0; b < bits; ++b) {
    if (!set(b)) continue;
    int32_t end = b;
    while (end + 1 < bits && set(end + 1)) ++end;
    out += " " + std::to_string(b) + (end > b ? "-" + std::to_string(end) : "");
    b = end;
  }
  return out;
}

std::string Flags(const TCommand& c) {
  std::string out;
  auto add = [&](const std::string& s) { out += (out.empty() ? "" : ",") + s; };
  if (c.Continue == 1) add("c");
  else if (c.Continue) add("c=" + std::to_string(c.Continue));
  if (c.Disabled == 1) add("d");
  else if (c.Disabled) add("d=" + std::to_string(c.Disabled));
  if (c.TypeByte != c.GetType()) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", c.TypeByte);
    add(std::string("t=") + hex);
  }
  if (c.Depth < 0 || c.Depth > 60) add("depth=" + std::to_string(c.Depth));
  return out.empty() ? "-" : out;
}

// --- assembling ---

struct FieldLine {
  std::string value;
  int line = 0;
  bool used = false;
};

struct CommandSource {
  int source_line = 0;
  std::string name;
  uint8_t type_byte = 0;
  int32_t depth = 0, line = 0;
  uint8_t continue_byte = 1, disabled = 0;
  std::optional<std::string> inline_value;
  std::vector<std::pair<std::string, FieldLine>> fields;
};

// cause: the player's error behind what, whose own message the tools explain.
[[noreturn]] void Fail(int line, const std::string& what, const RivoError* cause = nullptr) {
  const std::string message = "line " + std::to_string(line) + ": " + what;
  if (cause) throw RivoError(message, *cause);
  throw RivoError(message);
}

std::optional<int32_t> PropertyIdOf(std::string_view name) {
  int32_t id = FindPropertyByName(name);
  if (id < 0) return std::nullopt;
  return id;
}

struct PendingTarget {
  int32_t* index;
  int32_t command;
  TargetKind kind;
  std::string page, label;  // a label to find; none: computed from the structure
  int line;
};

class Assembler : public RecordFields {
 public:
  Assembler(TPage& page, CommandSource& source, int32_t index, std::vector<PendingTarget>& pending,
            int32_t text_delay)
      : page_(page), source_(source), index_(index), pending_(pending), text_delay_(text_delay) {}
  int32_t Version() const override { return page_.Version; }

  void Expression(const char* key, TRivoParser& e) override {
    auto value = Take(key);
    Load(value ? value->value : "", value ? value->line : source_.source_line, e);
  }
  void Expressions(const char* key, ExpressionList& list) override {
    NotInline(key);
    list.clear();
    for (auto& [k, field] : source_.fields) {
      if (k != key || field.used) continue;
      field.used = true;
      list.push_back(std::make_unique<TRivoParser>());
      Load(field.value, field.line, *list.back());
    }
  }
  void String(const char* key, std::string& text) override {
    auto value = Take(key);
    text.clear();
    if (!value) return;
    std::optional<std::string> parsed = ParseStringField(value->value);
    if (!parsed) Fail(value->line, std::string("bad quoted text in ") + key);
    text = *parsed;
    if (std::string_view(key) == "page") page_name_ = text;
  }
  void Int(const char* key, int32_t& out) override {
    auto value = Take(key);
    out = value ? Number(*value, key) : 0;
  }
  void Byte(const char* key, uint8_t& out) override {
    auto value = Take(key);
    out = 0;
    if (!value) return;
    if (std::string_view(key) == "kind")
      if (std::optional<uint8_t> kind = KindFromWord(value->value)) return void(out = *kind);
    for (int k = 0; k <= 3; ++k)
      if (std::string_view(key) == "scope" && value->value == kScopeWords[k]) return void(out = static_cast<uint8_t>(k));
    int32_t n = Number(*value, key);
    if (n < 0 || n > 255) Fail(value->line, std::string(key) + " must be 0..255");
    out = static_cast<uint8_t>(n);
  }
  void Target(const char* key, int32_t& index, TargetKind kind) override {
    auto value = Take(key);
    index = 0;
    if (value && !value->value.empty() && value->value[0] == '@') {
      if (IsStructural(kind)) Fail(value->line, std::string(key) + " takes a number");
      std::optional<std::string> label = ParseStringField(value->value.substr(1));
      if (!label) Fail(value->line, "bad label");
      pending_.push_back({&index, index_, kind, kind == TargetKind::kNamedPage ? page_name_ : std::string(), *label,
                          value->line});
    } else if (value) {
      index = Number(*value, key);
    } else if (IsStructural(kind)) {
      pending_.push_back({&index, index_, kind, {}, {}, source_.source_line});
    }
  }
  void Bytes(const char* key, std::string& bytes) override {
    auto value = Take(key);
    bytes.clear();
    if (!value) return;
    try {
      bytes = StoredTextOfSource(value->value, text_delay_);
    } catch (const RivoError& e) {
      Fail(value->line, e.what());
    }
  }
  void Properties(PropertySlots& slots) override {
    NotInline("properties");
    for (auto& [k, field] : source_.fields) {
      std::optional<int32_t> id = PropertyIdOf(k);
      if (!id || field.used) continue;
      auto& slot = slots[static_cast<std::size_t>(*id)];
      if (!slot) Fail(field.line, k + " is not in the property mask of " + source_.name);
      field.used = true;
      Load(field.value, field.line, *slot);
    }
    for (auto& slot : slots)
      if (slot && slot->Operations().empty()) Load("", source_.source_line, *slot);
  }

  void Finish() {
    if (first_ && source_.inline_value && !source_.inline_value->empty())
      Fail(source_.source_line, source_.name + " takes no value");
    for (auto& [key, field] : source_.fields)
      if (!field.used) Fail(field.line, source_.name + " has no field " + key + " (in version " +
                                            std::to_string(page_.Version) + ")");
  }

 private:
  std::optional<FieldLine> Take(const char* key) {
    bool first = first_;
    first_ = false;
    if (first && source_.inline_value) return FieldLine{*source_.inline_value, source_.source_line, true};
    for (auto& [k, field] : source_.fields) {
      if (k == key && !field.used) {
        field.used = true;
        return field;
      }
    }
    return std::nullopt;
  }
  void NotInline(const std::string& what) {
    if (first_ && source_.inline_value) Fail(source_.source_line, what + " cannot stand on the command's line");
    first_ = false;
  }
  int32_t Number(const FieldLine& value, const char* key) {
    std::optional<int32_t> n = ParseInt32(value.value);
    if (!n) Fail(value.line, std::string(key) + " must be a number, not '" + value.value + "'");
    return *n;
  }
  void Load(const std::string& text, int line, TRivoParser& e) {
    try {
      std::string bytes = CompileExpressionSource(text);
      ByteReader in(bytes, "");
      e.LoadFromStream(in);
    } catch (const std::exception& err) {
      Fail(line, std::string(err.what()) + " in: " + text, dynamic_cast<const RivoError*>(&err));
    }
  }

  TPage& page_;
  CommandSource& source_;
  int32_t index_;
  std::vector<PendingTarget>& pending_;
  int32_t text_delay_;
  std::string page_name_;
  bool first_ = true;
};

std::string_view Trim(std::string_view s) {
  std::size_t a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  std::size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

// "LINE FLAGS |" before the command, when present.
bool SplitPrefix(std::string_view text, std::string_view& prefix, std::string_view& body) {
  std::size_t bar = text.find('|');
  if (bar == std::string_view::npos) return false;
  std::string_view left = Trim(text.substr(0, bar));
  if (!left.empty() && !(std::isdigit(static_cast<unsigned char>(left[0])) || left[0] == '-')) return false;
  std::size_t space = left.find_first_of(" \t");
  if (!left.empty() && (space == std::string_view::npos || Trim(left.substr(space)).find_first_of(" \t") !=
                                                                std::string_view::npos))
    return false;
  prefix = left;
  body = text.substr(bar + 1);
  if (!body.empty() && body[0] == ' ') body.remove_prefix(1);
  return true;
}

void ApplyFlags(std::string_view flags, CommandSource& c, int line) {
  c.continue_byte = 0;
  if (flags == "-") return;
  while (!flags.empty()) {
    std::size_t comma = flags.find(',');
    std::string_view item = flags.substr(0, comma);
    flags = comma == std::string_view::npos ? std::string_view() : flags.substr(comma + 1);
    std::string_view name = item.substr(0, item.find('='));
    std::optional<int32_t> value = 1;
    if (item.find('=') != std::string_view::npos) value = ParseInt32(item.substr(item.find('=') + 1));
    if (!value) Fail(line, "bad flag " + std::string(item));
    if (name == "c" && *value >= 0 && *value <= 255) c.continue_byte = static_cast<uint8_t>(*value);
    else if (name == "d" && *value >= 0 && *value <= 255) c.disabled = static_cast<uint8_t>(*value);
    else if (name == "t" && *value >= 0 && *value <= 255) c.type_byte = static_cast<uint8_t>(*value);
    else if (name == "depth") c.depth = *value;  // an explicit depth wins over the indentation
    else Fail(line, "bad flag " + std::string(item));
  }
}

}  // namespace

std::string DisassemblePage(TPage& page, PageLabels* others) {
  std::string out = "page " + std::to_string(page.Version) + "\n";
  out += "return " + std::string(page.ReturnType <= PT_STR ? KindWord(page.ReturnType) : "integer") + "\n";
  out += "masks " + std::to_string(page.MaskCount()) + " " + std::to_string(page.MaskSize()) + "\n";
  // Entries of no bytes hold no bits, however many the table counts.
  for (int32_t i = 0; page.MaskSize() > 0 && i < page.MaskCount(); ++i) {
    std::string_view entry = std::string_view(page.MaskBytes())
                                 .substr(static_cast<std::size_t>(i) * static_cast<std::size_t>(page.MaskSize()),
                                         static_cast<std::size_t>(page.MaskSize()));
    std::string bits = BitList(entry);
    if (bits.empty()) continue;
    const CommandCodeInfo* info = FindCommandCode(i);
    out += "mask " + (info ? std::string(info->name) : std::to_string(i)) + bits + "\n";
  }
  int32_t text_delay = PageTextDelay(page);
  if (text_delay != kDefaultTextDelay) out += "textdelay " + std::to_string(text_delay) + "\n";
  out += "\n";
  for (int32_t i = 0; i < page.Count(); ++i) {
    TCommand& c = page[i];
    Lister lister(page, i, others, text_delay);
    c.Fields(lister);
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%6d %-5s | ", c.Line, Flags(c).c_str());
    std::string indent = c.Depth >= 0 && c.Depth <= 60 ? std::string(2 * static_cast<std::size_t>(c.Depth), ' ') : "";
    out += prefix + indent + FindCommandCode(c.GetType())->name;
    if (!lister.inline_value.empty()) out += " " + lister.inline_value;
    out += "\n";
    for (const auto& [key, value] : lister.lines_)
      out += std::string(13, ' ') + "| " + indent + "  . " + key + (value.empty() ? "" : " " + value) + "\n";
  }
  return out;
}

void AssemblePage(std::string_view source, TPage& page, std::string_view own_name, PageLabels* others) {
  int32_t version = TPage::kNewestVersion;
  uint8_t return_type = 0;
  int32_t text_delay = kDefaultTextDelay;
  std::optional<std::pair<int32_t, int32_t>> mask_shape;
  std::map<int32_t, std::string> mask_entries;  // entry -> bit list line
  std::vector<CommandSource> commands;

  int line_no = 0;
  std::size_t pos = 0;
  while (pos <= source.size()) {
    std::size_t end = source.find('\n', pos);
    std::string_view text = source.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end == std::string_view::npos ? source.size() + 1 : end + 1;
    ++line_no;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    std::string_view trimmed = Trim(text);
    if (trimmed.empty() || trimmed[0] == ';') continue;

    std::string_view word = trimmed.substr(0, trimmed.find_first_of(" \t"));
    std::string_view rest = Trim(trimmed.substr(word.size()));
    if (text[0] != ' ' && text[0] != '\t' && (word == "page" || word == "return" || word == "masks" || word == "mask" ||
                                                  word == "textdelay")) {
      if (!commands.empty()) Fail(line_no, std::string(word) + " belongs before the commands");
      if (word == "page") {
        std::optional<int32_t> v = ParseInt32(rest);
        if (!v || *v < TPage::kOldestVersion || *v > TPage::kNewestVersion) Fail(line_no, "version must be 103..112");
        version = *v;
      } else if (word == "return") {
        std::optional<uint8_t> kind = rest == KindWord(PT_NONE) ? PT_NONE : KindFromWord(rest);
        if (kind) return_type = *kind;
        else Fail(line_no, "return is none, integer, real, flag or string");
      } else if (word == "textdelay") {
        std::optional<int32_t> delay = ParseInt32(rest);
        if (!delay) Fail(line_no, "textdelay takes a number");
        text_delay = *delay;
      } else if (word == "masks") {
        int32_t count = 0, size = 0;
        if (std::sscanf(std::string(rest).c_str(), "%d %d", &count, &size) != 2 || count < 0 || size < 0 ||
            static_cast<int64_t>(count) * size > kMaxMaskTableBytes)
          Fail(line_no, "masks COUNT SIZE, at most " + std::to_string(kMaxMaskTableBytes) + " bytes in all");
        mask_shape = std::make_pair(count, size);
      } else {
        std::string_view entry = rest.substr(0, rest.find_first_of(" \t"));
        std::optional<int32_t> index = ParseInt32(entry);
        if (!index) {
          std::optional<uint8_t> code = CommandCodeOfName(entry);
          if (!code) Fail(line_no, "unknown command " + std::string(entry));
          index = *code;
        }
        mask_entries[*index] = std::string(Trim(rest.substr(entry.size())));
      }
      continue;
    }

    std::string_view prefix, body = text;
    bool has_prefix = SplitPrefix(text, prefix, body);
    std::size_t indent = body.find_first_not_of(' ');
    if (indent == std::string_view::npos) Fail(line_no, "a command is missing after the line number");
    std::string_view content = body.substr(indent);
    if (content[0] == '.') {
      if (commands.empty()) Fail(line_no, "a field line before any command");
      std::string_view field = content.substr(1);
      field = field.substr(field.find_first_not_of(' ') == std::string_view::npos ? field.size()
                                                                                   : field.find_first_not_of(' '));
      std::size_t space = field.find(' ');
      std::string key(field.substr(0, space));
      std::string value(space == std::string_view::npos ? std::string_view() : field.substr(space + 1));
      if (key.empty()) Fail(line_no, "a field line needs a name");
      commands.back().fields.push_back({key, FieldLine{value, line_no, false}});
      continue;
    }
    CommandSource c;
    c.source_line = line_no;
    c.line = line_no;
    c.depth = static_cast<int32_t>(indent / 2);
    if (indent % 2) Fail(line_no, "indent by two spaces per level");
    if (has_prefix && !prefix.empty()) {
      std::size_t space = prefix.find_first_of(" \t");
      std::optional<int32_t> line = ParseInt32(prefix.substr(0, space));
      if (!line) Fail(line_no, "bad line number");
      c.line = *line;
      ApplyFlags(Trim(prefix.substr(space)), c, line_no);
    }
    std::size_t name_end = content.find(' ');
    c.name = std::string(content.substr(0, name_end));
    std::optional<uint8_t> code = CommandCodeOfName(c.name);
    if (!code) Fail(line_no, "unknown command " + c.name);
    if (c.type_byte == 0 || (c.type_byte & 0x7F) != *code) c.type_byte = *code;
    if (name_end != std::string_view::npos) c.inline_value = std::string(content.substr(name_end + 1));
    commands.push_back(std::move(c));
  }

  // The mask table: as listed, or made from the properties the commands use.
  int32_t count = 61, size = TPage::kMaskBytes;
  if (mask_shape) std::tie(count, size) = *mask_shape;
  std::string bytes(static_cast<std::size_t>(count) * static_cast<std::size_t>(size), '\0');
  auto set_bit = [&](int32_t entry, int32_t bit, int line) {
    if (entry < 0 || entry >= count || bit < 0 || bit >= size * 8) Fail(line, "mask bit outside the table");
    bytes[static_cast<std::size_t>(entry * size + bit / 8)] |= static_cast<char>(1 << (bit % 8));
  };
  if (mask_shape || !mask_entries.empty()) {
    for (const auto& [entry, list] : mask_entries) {
      std::string_view rest = list;
      while (!(rest = Trim(rest)).empty()) {
        std::string_view item = rest.substr(0, rest.find_first_of(" \t"));
        rest.remove_prefix(item.size());
        int32_t a = 0, b = 0;
        char dash = 0;
        int n = std::sscanf(std::string(item).c_str(), "%d%c%d", &a, &dash, &b);
        if (n == 1) b = a;
        else if (n != 3 || dash != '-' || b < a) Fail(0, "bad mask bits " + std::string(item));
        for (int32_t bit = a; bit <= b; ++bit) set_bit(entry, bit, 0);
      }
    }
  } else {
    for (const CommandSource& c : commands)
      for (const auto& [key, field] : c.fields)
        if (std::optional<int32_t> id = PropertyIdOf(key)) set_bit(c.type_byte & 0x7F, *id, field.line);
  }

  page.ClearCommands();
  page.Name = std::string(own_name);
  page.Version = version;
  page.ReturnType = return_type;
  page.SetMaskTable(count, size, std::move(bytes));
  std::vector<PendingTarget> pending;
  for (CommandSource& c : commands) {
    std::unique_ptr<TCommand> command = CreateCommand(page, c.type_byte);
    command->TypeByte = c.type_byte;
    command->Depth = c.depth;
    command->Disabled = c.disabled;
    command->Continue = c.continue_byte;
    command->Line = c.line;
    Assembler assembler(page, c, page.Count(), pending, text_delay);
    command->Fields(assembler);
    assembler.Finish();
    page.Append(std::move(command));
  }
  for (const PendingTarget& t : pending) {
    if (t.label.empty() && IsStructural(t.kind)) {
      *t.index = StructuralTarget(page, t.command, t.kind);
      continue;
    }
    std::optional<int32_t> found;
    if (t.kind == TargetKind::kThisPage || t.page == own_name) {
      int32_t i = page.IndexOfLabel(t.label);
      if (i >= 0) found = i;
    } else if (others) {
      found = others->IndexOf(t.page, t.label);
    }
    if (!found) Fail(t.line, "no label " + std::string(t.label) + (t.page.empty() ? "" : " in " + t.page));
    *t.index = *found;
  }
}

}  // namespace rivo
