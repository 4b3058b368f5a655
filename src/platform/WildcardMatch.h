#pragma once

#include <string_view>

namespace galemend {

// Matches a name against a pattern with * and ?, ignoring ASCII case.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace galemend
