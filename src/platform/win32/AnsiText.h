#pragma once

#include <string>
#include <string_view>

namespace galemend {

// Conversions between the program's ANSI text and the UTF-16 text of COM, through the
// system's ANSI code page.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

}  // namespace galemend
