#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace galemend::e2e {

// Control characters become \xHH so that every fact stays on one line; nothing else is
// changed, so paths read as they are.
std::string Escape(std::string_view text);

// Wide text as UTF-8, so that names outside the system's code page read whole.
std::string Narrow(std::wstring_view text);

// The first word of a script line and everything after the one blank that follows it,
// verbatim (a raw command line keeps its runs of blanks and its quotes).
std::pair<std::string, std::string> SplitWord(std::string_view line);

// The words of an argument text, split at single blanks.
std::vector<std::string> Words(std::string_view text);

// A decimal number argument; throws DriverError naming the command otherwise.
long ParseNumber(const std::string& text, std::string_view what);

}  // namespace galemend::e2e
