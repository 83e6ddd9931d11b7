// rivotool asm SOURCE OUT.rsb: a page from its listing.

#include <fstream>
#include <iostream>
#include <sstream>

#include "common/encoding.h"
#include "common/error.h"
#include "scenario/page.h"
#include "scenario/page_source.h"
#include "tools/page_commands.h"
#include "tools/sibling_page_labels.h"

namespace rivo::tools {

int PageAsm(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::cerr << "usage: rivotool asm SOURCE OUT.rsb\n";
    return 1;
  }
  std::filesystem::path source = args[0], output = args[1];
  std::ifstream in(source, std::ios::binary);
  if (!in) throw RivoError(source.string() + ": cannot be read");
  std::stringstream text;
  text << in.rdbuf();
  TPage page;
  SiblingPageLabels others(output.parent_path().empty() ? "." : output.parent_path());
  try {
    AssemblePage(text.str(), page, Utf8ToCp932(output.filename().string()), &others);
  } catch (const RivoError& e) {
    throw RivoError(source.string() + ": " + e.what(), e);
  }
  std::ofstream out(output, std::ios::binary);
  std::string bytes = page.SaveToBytes();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw RivoError(output.string() + ": cannot be written");
  return 0;
}

}  // namespace rivo::tools
