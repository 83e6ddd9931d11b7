#pragma once
// The system functions on the project's list of game saves
// ("GetSaveCaption", "ListSaveCaption"), lent to the function manager for
// as long as this object lives.

#include "script/sys_func_man.h"

namespace rivo {

class TProject;

class SaveCaptionFunctions {
 public:
  SaveCaptionFunctions(TSysFuncMan& functions, const TProject& project);
  ~SaveCaptionFunctions();
  SaveCaptionFunctions(const SaveCaptionFunctions&) = delete;
  SaveCaptionFunctions& operator=(const SaveCaptionFunctions&) = delete;

 private:
  TSysFuncMan& functions_;
};

}  // namespace rivo
