#pragma once

#include <string>
#include <string_view>

namespace galemend {

// The arguments part of a whole Windows command line: what follows the program's own name
// and the blanks after it, as WinMain receives it. The program name ends at the first blank
// or tab outside quotation marks, so a quoted path may hold blanks. Everything after the
// separating blanks is kept as it stands, quotes and runs of blanks included.
std::string ArgumentsAfterProgramName(std::string_view commandLine);

}  // namespace galemend
