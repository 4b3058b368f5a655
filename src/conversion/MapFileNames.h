#pragma once

#include <string>
#include <string_view>

namespace galemend {

// Names beside a map: its last three characters replaced (Big.galaxy -> Big.galold).
std::string OldCopyName(std::string_view mapPath);
std::string FixCopyName(std::string_view mapPath);
std::string TestFileName(std::string_view mapPath);

// The format revision a map's second line ends with: its last two characters, or only the
// last one when the first of the two is a blank.
std::string MapRevisionText(std::string_view secondLine);

}  // namespace galemend
