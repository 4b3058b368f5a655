#pragma once

#include <string>

#include "conversion/LineList.h"
#include "conversion/TemplateState.h"

namespace galemend {

// Writes the new lines of section s for the section block that starts at map line j, and
// returns how many map lines the block occupies in the old layout. Throws ConversionError
// when the templates cannot drive the rewrite: a head count that is not a whole number of
// at least 1, a section the new template lacks or that runs past its end, or a marker that
// needs a map line beyond the last one.
size_t ApplyStructure(const TemplateState& state, size_t s, size_t j, const LineList& mapLines,
                      std::string& out);

}  // namespace galemend
