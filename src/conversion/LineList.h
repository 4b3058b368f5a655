#pragma once

#include <string>
#include <vector>

namespace galemend {

// The lines of a text file, first at index 0, without their CR LF terminators.
using LineList = std::vector<std::string>;

}  // namespace galemend
