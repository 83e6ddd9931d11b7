#pragma once
// The families of system functions: each file of function bodies enters
// its functions into the manager's table by name.

#include <string_view>

#include "script/sys_func_man.h"

namespace rivo {

// Enters body as the function of that name (which must be in the function table).
void SetBody(FunctionBodies& bodies, std::string_view name, FunctionBody body);

void AddStringFunctions(FunctionBodies& bodies);      // string_functions.cpp
void AddKanaFunctions(FunctionBodies& bodies);        // kana_functions.cpp
void AddArrayFunctions(FunctionBodies& bodies);       // array_functions.cpp
void AddMathFunctions(FunctionBodies& bodies);        // math_functions.cpp
void AddDateFunctions(FunctionBodies& bodies);        // date_functions.cpp
void AddConversionFunctions(FunctionBodies& bodies);  // conversion_functions.cpp
void AddVariableFunctions(FunctionBodies& bodies);    // variable_functions.cpp
void AddTextFileFunctions(FunctionBodies& bodies);    // text_file_functions.cpp
void AddTableFunctions(FunctionBodies& bodies);       // table_functions.cpp
void AddDisplayFunctions(FunctionBodies& bodies);     // display_functions.cpp

}  // namespace rivo
