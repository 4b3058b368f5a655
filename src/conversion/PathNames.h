#pragma once

#include <string>
#include <string_view>

namespace galemend {

// 1-based position just after the last occurrence of the needle that lies before the
// text's end, or 1 when there is none. An occurrence that ends the text is not examined.
size_t PositionAfterLast(std::string_view text, std::string_view needle);

// The characters after the last backslash of a path (the whole path without one).
std::string FileNamePart(std::string_view path);

// Whether the file-name part of the path equals the name, ignoring case, without trimming.
bool FileNameMatches(std::string_view path, std::string_view name);

}  // namespace galemend
