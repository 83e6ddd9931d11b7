#include "scenario/page_references.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "common/sjis.h"
#include "scenario/page.h"
#include "script/param_kind.h"
#include "script/rivo_parser.h"

namespace rivo {
namespace {

constexpr std::array<std::string_view, 4> kPictureExtensions = {".orb", ".png", ".bmp", ".dib"};
constexpr std::string_view kPageExtension = ".rsb";

void AddOnce(std::vector<std::string>& names, std::string_view name) {
  const bool known =
      std::any_of(names.begin(), names.end(), [&](const std::string& n) { return sjis::SameText(n, name); });
  if (!known) names.emplace_back(name);
}

// Every string constant of every field: the command's own strings and the
// string literals of its expressions.
class ConstantNames : public RecordFields {
 public:
  ConstantNames(int32_t version, PageReferences& found) : version_(version), found_(found) {}

  int32_t Version() const override { return version_; }
  void Expression(const char*, TRivoParser& expression) override { Literals(expression); }
  void Expressions(const char*, ExpressionList& list) override {
    for (const auto& expression : list)
      if (expression) Literals(*expression);
  }
  void String(const char*, std::string& text) override { Classify(text); }
  void Int(const char*, int32_t&) override {}
  void Byte(const char*, uint8_t&) override {}
  void Target(const char*, int32_t&, TargetKind) override {}
  void Bytes(const char*, std::string&) override {}
  void Properties(PropertySlots& slots) override {
    for (const auto& slot : slots)
      if (slot) Literals(*slot);
  }

 private:
  void Literals(const TRivoParser& expression) {
    for (const TOpeData& op : expression.Operations())
      for (const TOpeOperand& operand : op.operands)
        if (operand.literal && operand.literal->GetKind() == PT_STR) Classify(operand.literal->AsStr());
  }

  void Classify(std::string_view text) {
    const std::string extension = sjis::LowerCase(sjis::ExtractFileExt(text));
    // An extension alone (a name being built) names no file.
    if (extension.size() == text.size()) return;
    if (std::find(kPictureExtensions.begin(), kPictureExtensions.end(), extension) != kPictureExtensions.end()) {
      AddOnce(found_.pictures, text);
      return;
    }
    // An event handler names "page.rsb:label".
    const std::size_t colon = sjis::Find(text, ":");
    const std::string_view page = colon == sjis::npos ? text : text.substr(0, colon);
    const std::string page_extension = sjis::LowerCase(sjis::ExtractFileExt(page));
    if (page_extension == kPageExtension && page.size() > page_extension.size()) AddOnce(found_.pages, page);
  }

  int32_t version_;
  PageReferences& found_;
};

}  // namespace

PageReferences FindPageReferences(TPage& page) {
  PageReferences found;
  ConstantNames names(page.Version, found);
  for (int32_t i = 0; i < page.Count(); ++i) page[i].Fields(names);
  return found;
}

}  // namespace rivo
