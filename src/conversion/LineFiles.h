#pragma once

#include <string>
#include <string_view>

#include "conversion/LineList.h"
#include "platform/FileSystem.h"

namespace galemend {

// Reads a whole text file into lines split at CR LF. A missing file reads as eleven empty
// lines, one that cannot be read as a single empty line, an empty one as no lines.
LineList ReadTextLines(const FileSystem& fs, const std::string& path);

// Splits text at CR LF after dropping every trailing CR LF; an empty text has no lines.
LineList SplitLines(std::string_view text);

// Whether lines were really read from a file. A read file never ends in an empty line (its
// trailing line ends are dropped), so a list that does is the shape of a missing or
// unreadable file.
bool CameFromFile(const LineList& lines);

// Appends a line and its CR LF terminator to an output text.
void AppendLine(std::string& out, std::string_view line);

}  // namespace galemend
