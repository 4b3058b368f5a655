#pragma once

#include <string>
#include <vector>

namespace galemend {

// Sorts names ascending, ignoring case; names equal but for case keep a fixed order.
void SortNamesIgnoringCase(std::vector<std::string>& names);

}  // namespace galemend
