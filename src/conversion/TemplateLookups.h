#pragma once

#include <string_view>

#include "conversion/TemplateState.h"

namespace galemend {

// The index of the last old-template line that is a prefix of the text, or 0. A match with
// line 0 cannot be told from no match; an empty template line matches every text.
size_t FindTemplateLine(const TemplateState& state, std::string_view text);

// The section of the old template that template line t lies in: the last head strictly
// before t, or section 0.
size_t FindSection(const TemplateState& state, size_t t);

}  // namespace galemend
