#pragma once
// The project description that `rivotool build` turns into "rivo.rpb": one
// setting per line (see docs/page-source.md).

#include <string_view>

#include "scenario/project_file.h"

namespace rivo {

// Raises RivoError naming the line for a mistake.
ProjectFile ParseProjectSource(std::string_view utf8);

}  // namespace rivo
