// rivotool disasm PAGE.rsb: the listing of a compiled page, in UTF-8.

#include <fstream>
#include <iostream>
#include <sstream>

#include "common/byte_reader.h"
#include "common/encoding.h"
#include "common/error.h"
#include "scenario/page.h"
#include "scenario/page_source.h"
#include "tools/page_commands.h"
#include "tools/sibling_page_labels.h"

namespace rivo::tools {

int PageDisasm(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::cerr << "usage: rivotool disasm PAGE.rsb\n";
    return 1;
  }
  std::filesystem::path path = args[0];
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RivoError(path.string() + ": cannot be read");
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::string name = Utf8ToCp932(path.filename().string());
  // The player leaves a page of a newer version empty; a listing of it would mislead.
  if (ByteReader(bytes.str(), name).I32() > TPage::kNewestVersion)
    throw RivoError(path.string() + ": made for a newer player (version above 112)");
  TPage page;
  page.LoadFromBytes(bytes.str(), name);
  if (page.SaveToBytes() != bytes.str())
    std::cerr << "rivotool disasm: warning: " << path.string()
              << " holds bytes the page format does not keep; its listing will not rebuild it exactly\n";
  SiblingPageLabels others(path.parent_path().empty() ? "." : path.parent_path());
  std::cout << DisassemblePage(page, &others);
  return 0;
}

}  // namespace rivo::tools
