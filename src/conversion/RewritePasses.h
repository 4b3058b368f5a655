#pragma once

#include <string>

#include "conversion/LineList.h"
#include "conversion/TemplateState.h"

namespace galemend {

// Rewrites every section block of the map that a line of the old template starts, and copies
// every other line. Each output line is appended to out with CR LF.
void StructurePass(const TemplateState& state, const LineList& mapLines, std::string& out);

// Like the structure pass, but a block is rewritten only where three consecutive lines all
// match the old template; the last two lines of the map are copied as they are.
void FixPass(const TemplateState& state, const LineList& mapLines, std::string& out);

}  // namespace galemend
