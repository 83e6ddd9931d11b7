#include "scenario/page_references.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "common/sjis.h"
#include "media/media_kind.h"
#include "scenario/page.h"
#include "scenario/string_constants.h"

namespace rivo {
namespace {

constexpr std::array<std::string_view, 4> kPictureExtensions = {".orb", ".png", ".bmp", ".dib"};
constexpr std::string_view kPageExtension = ".rsb";

void AddOnce(std::vector<std::string>& names, std::string_view name) {
  const bool known =
      std::any_of(names.begin(), names.end(), [&](const std::string& n) { return sjis::SameText(n, name); });
  if (!known) names.emplace_back(name);
}

void Classify(PageReferences& found, std::string_view text) {
  const std::string extension = sjis::LowerCase(sjis::ExtractFileExt(text));
  // An extension alone (a name being built) names no file.
  if (extension.size() == text.size()) return;
  if (std::find(kPictureExtensions.begin(), kPictureExtensions.end(), extension) != kPictureExtensions.end()) {
    AddOnce(found.pictures, text);
    return;
  }
  if (MediaKindOf(text) == MediaKind::kMidi) {
    AddOnce(found.music, text);
    return;
  }
  // An event handler names "page.rsb:label".
  const std::size_t colon = sjis::Find(text, ":");
  const std::string_view page = colon == sjis::npos ? text : text.substr(0, colon);
  const std::string page_extension = sjis::LowerCase(sjis::ExtractFileExt(page));
  if (page_extension == kPageExtension && page.size() > page_extension.size()) AddOnce(found.pages, page);
}

}  // namespace

PageReferences FindPageReferences(TPage& page) {
  PageReferences found;
  for (int32_t i = 0; i < page.Count(); ++i)
    ForEachStringConstant(page[i], page.Version, [&](std::string_view text) { Classify(found, text); });
  return found;
}

}  // namespace rivo
