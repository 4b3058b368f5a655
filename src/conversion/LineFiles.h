#pragma once

#include <string>
#include <string_view>

#include "conversion/LineList.h"
#include "platform/FileSystem.h"

namespace galemend {

// Reads a whole text file into lines split at CR LF. A missing file reads as eleven empty
// lines, one that cannot be read as a single empty line, an empty one as no lines.
LineList ReadTextLines(const FileSystem& fs, const std::string& path);

// Appends a line and its CR LF terminator to an output text.
void AppendLine(std::string& out, std::string_view line);

}  // namespace galemend
