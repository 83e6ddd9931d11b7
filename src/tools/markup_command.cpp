// rivotool markup TEXT | --file F | --stored F [--text-delay N] [--write-stored OUT]:
// the style table and the glyphs a tagged text compiles to (or a stored
// glyph list holds), one line each. TEXT is UTF-8 and converted to CP932;
// --file takes its bytes as CP932 markup, as games store it.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/encoding.h"
#include "common/error.h"
#include "common/number_text.h"
#include "scenario/expression_text.h"
#include "scenario/source_text.h"
#include "scenario/text_source.h"
#include "text/qn_word.h"
#include "tools/markup_command.h"

namespace rivo::tools {
namespace {

constexpr const char* kUsage =
    "usage: rivotool markup TEXT | --file F | --stored F [--text-delay N] [--write-stored OUT]\n";
constexpr const char* kAlignWords[] = {"", "LEFT", "RIGHT", "CENTER", "TOP", "BOTTOM"};

std::string Color(int32_t value) {
  char text[16];
  if (value == -1) return "-1";
  if (value >= 0 && value <= 0xFFFFFF)
    std::snprintf(text, sizeof text, "#%02X%02X%02X", value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
  else
    std::snprintf(text, sizeof text, "0x%08X", static_cast<uint32_t>(value));
  return text;
}

std::string Align(uint8_t align) { return align < std::size(kAlignWords) ? kAlignWords[align] : std::to_string(align); }

std::string Visible(const std::string& link, int32_t wait) {
  return " link=" + QuoteCp932(link) + " wait=" + std::to_string(wait);
}

void Print(const TQnWord& word, std::ostream& out) {
  std::unordered_map<const TDecorate*, int32_t> index_of;
  const TDecorateList& styles = word.Decorations();
  out << "styles " << styles.Count() << "\n";
  for (int32_t i = 0; i < styles.Count(); ++i) {
    const TDecorate& d = styles[i];
    index_of.emplace(&d, i);
    out << "  " << i << " refs=" << d.RefCount << " size=" << d.Size << " color=" << Color(d.Color)
        << " bcolor=" << Color(d.BColor) << " scolor=" << Color(d.SColor) << " style=" << int{d.Style}
        << " font=" << QuoteCp932(d.FontName) << " nobreak=" << int{d.NoBreak} << " ruby=" << QuoteCp932(d.Ruby)
        << " border=" << d.Border << " shadow=" << d.Shadow << "\n";
  }
  auto style = [&](const TDecorate* d) { return " style=" + std::to_string(index_of.at(d)); };
  out << "glyphs " << word.Count() << "\n";
  for (int32_t i = 0; i < word.Count(); ++i) {
    const TWdGlyph& g = word[i];
    out << "  ";
    switch (g.Kind()) {
      case GK_CHAR: {
        const auto& c = static_cast<const TWdChar&>(g);
        std::string bytes;
        if (c.Code > 0xFF) bytes += static_cast<char>(c.Code >> 8);
        bytes += static_cast<char>(c.Code & 0xFF);
        char code[8];
        std::snprintf(code, sizeof code, "0x%0*X", c.Code > 0xFF ? 4 : 2, c.Code);
        out << "char " << QuoteCp932(bytes) << " " << code << style(c.Decoration) << Visible(c.Link, c.Wait);
        break;
      }
      case GK_ALIGN: out << "align " << Align(static_cast<const TWdOpeAlign&>(g).Align); break;
      case GK_RETURN: out << "return clear=" << int{static_cast<const TWdOpeReturn&>(g).Clear}; break;
      case GK_INDENT: out << "indent"; break;
      case GK_UNDENT: out << "undent"; break;
      case GK_EVENT: {
        const auto& e = static_cast<const TWdOpeEvent&>(g);
        out << "event " << QuoteCp932(e.Value) << (e.End ? " end" : "");
        break;
      }
      case GK_VAR: {
        const auto& v = static_cast<const TWdOpeVar&>(g);
        out << "var " << (v.Expression ? "{" + ExpressionSource(*v.Expression) + "}" : QuoteCp932(v.Name))
            << style(v.Decoration) << Visible(v.Link, v.Wait);
        break;
      }
      case GK_IMG: {
        const auto& m = static_cast<const TWdImg&>(g);
        out << "img " << QuoteCp932(m.Source) << " align=" << Align(m.Align) << Visible(m.Link, m.Wait);
        break;
      }
    }
    out << "\n";
  }
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RivoError(path + ": cannot be read");
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int RunMarkup(const std::vector<std::string>& args) {
  std::optional<std::string> text, file, stored, write_to;
  int32_t delay = kDefaultTextDelay;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool has_value = i + 1 < args.size();
    if (a == "--file" && has_value) file = args[++i];
    else if (a == "--stored" && has_value) stored = args[++i];
    else if (a == "--write-stored" && has_value) write_to = args[++i];
    else if (a == "--text-delay" && has_value) {
      std::optional<int32_t> n = ParseInt32(args[++i]);
      if (!n) {
        std::cerr << "rivotool markup: --text-delay takes a number\n" << kUsage;
        return 1;
      }
      delay = *n;
    } else if (!a.starts_with("--") && !text) text = a;
    else {
      std::cerr << kUsage;
      return 1;
    }
  }
  if (int(text.has_value()) + int(file.has_value()) + int(stored.has_value()) != 1) {
    std::cerr << kUsage;
    return 1;
  }

  TQnWord word;
  if (stored) {
    std::string bytes = ReadFile(*stored);
    ByteReader in(bytes, Utf8ToCp932(*stored));
    word.LoadGlyphs(in);
    if (!in.AtEnd()) std::cerr << "rivotool markup: warning: " << in.Remaining() << " bytes follow the glyph list\n";
  } else {
    std::string markup = file ? ReadFile(*file) : Utf8ToCp932(*text);
    try {
      word.ParseText(markup, delay);
    } catch (const RivoError& e) {
      throw RivoError(std::string("the markup does not compile [") + e.what() + "]");
    }
  }
  Print(word, std::cout);
  if (write_to) {
    ByteWriter out;
    word.SaveGlyphs(out);
    std::ofstream file_out(*write_to, std::ios::binary | std::ios::trunc);
    if (!file_out.write(out.data().data(), static_cast<std::streamsize>(out.Size())) || !file_out.flush())
      throw RivoError(*write_to + ": cannot be written");
  }
  return 0;
}

}  // namespace rivo::tools
