// Text files of the game, read through the file manager.

#include "content/vr_file_manager.h"
#include "script/function_call.h"
#include "script/function_families.h"
#include "script/script_text.h"

namespace rivo {

namespace {

void FileExists(FunctionCall& call) {
  std::string name = call.Str(0);
  TVrFileManager* files = call.functions.Files();
  call.dest.SetBool(!name.empty() && files && files->Exists(name));
}

// An empty file has no lines: v becomes an empty text and the answer is false.
void LoadTextFile(FunctionCall& call) {
  std::optional<std::string> text = call.functions.ReadFile(call.Str(1));
  if (!text) return;
  std::vector<std::string> lines = SplitLines(*text);
  StoreStrings(call.Writable(0), lines);
  call.dest.SetBool(!lines.empty());
}

}  // namespace

void AddTextFileFunctions(FunctionBodies& bodies) {
  SetBody(bodies, "FileExists", FileExists);
  SetBody(bodies, "LoadTextFile", LoadTextFile);
}

}  // namespace rivo
