#pragma once

#include <span>
#include <string>
#include <string_view>

#include "conversion/Templates.h"
#include "text/Text.h"

namespace galemend {

// The lines of a map, as views into its text.
using MapLines = std::span<const std::string_view>;

// Writes the new lines of section s for the section block that starts at map line j, and
// returns how many map lines the block occupies in the old layout. Throws ConversionError
// when the templates cannot drive the rewrite: a head count that is not a whole number of
// at least 1, a section the new template lacks or that runs past its end, or a marker that
// needs a map line beyond the last one.
size_t ApplyStructure(const TemplateState& state, size_t s, size_t j, MapLines mapLines,
                      std::string& out);

// Rewrites every section block of the map that a line of the old template starts, and copies
// every other line. Each output line is appended to out with CR LF.
void StructurePass(const TemplateState& state, MapLines mapLines, std::string& out);

// Like the structure pass, but a block is rewritten only where three consecutive lines all
// match the old template; the last two lines of the map are copied as they are.
void FixPass(const TemplateState& state, MapLines mapLines, std::string& out);

}  // namespace galemend
