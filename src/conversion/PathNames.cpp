#include "conversion/PathNames.h"

#include <algorithm>
#include <cctype>

namespace galemend {

namespace {
std::string Lower(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}
}  // namespace

size_t PositionAfterLast(std::string_view text, std::string_view needle) {
    size_t result = 1;
    if (needle.size() >= text.size()) {
        return result;
    }
    // Occurrences may start at 0-based offsets 0 .. Len(text) - Len(needle) - 1.
    const size_t found = text.rfind(needle, text.size() - needle.size() - 1);
    if (found != std::string_view::npos) {
        result = found + 2;
    }
    return result;
}

std::string FileNamePart(std::string_view path) {
    return std::string(path.substr(PositionAfterLast(path, "\\") - 1));
}

bool FileNameMatches(std::string_view path, std::string_view name) {
    return FileNamePart(Lower(path)) == Lower(name);
}

}  // namespace galemend
