#pragma once
// The system functions on runtime objects ("GetProp", "SetProp", "Exists",
// "ListCompo", "ToClientX" ... "ToScreenY", "GetCheck", "SetCheck"), lent to
// the function manager for as long as this object lives. Objects are found
// by name on the screen; a missing object gives the neutral answer.

#include "script/sys_func_man.h"

namespace rivo {

class TRivoBaseList;

class ObjectFunctions {
 public:
  ObjectFunctions(TSysFuncMan& functions, TRivoBaseList& screen);
  ~ObjectFunctions();
  ObjectFunctions(const ObjectFunctions&) = delete;
  ObjectFunctions& operator=(const ObjectFunctions&) = delete;

 private:
  TSysFuncMan& functions_;
};

}  // namespace rivo
