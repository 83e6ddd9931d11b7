#include "scenario/save_caption_functions.h"

#include <string>
#include <vector>

#include "scenario/project.h"
#include "script/function_call.h"
#include "script/script_text.h"

namespace rivo {

SaveCaptionFunctions::SaveCaptionFunctions(TSysFuncMan& functions, const TProject& project) : functions_(functions) {
  functions_.SetExternalBody("GetSaveCaption",
                             [&project](FunctionCall& call) { call.dest.SetStr(project.GetSaveCaption(call.Int(0))); });
  functions_.SetExternalBody("ListSaveCaption", [&project](FunctionCall& call) {
    std::vector<std::string> captions, slots;
    for (const auto& [caption, slot] : project.SaveCaptions()) {
      captions.push_back(caption);
      slots.push_back(std::to_string(slot));
    }
    if (call.Has(0)) StoreStrings(call.Writable(0), captions);
    if (call.Has(1)) StoreStrings(call.Writable(1), slots);
    call.dest.SetInt(static_cast<int32_t>(captions.size()));
  });
}

SaveCaptionFunctions::~SaveCaptionFunctions() {
  functions_.SetExternalBody("GetSaveCaption", nullptr);
  functions_.SetExternalBody("ListSaveCaption", nullptr);
}

}  // namespace rivo
