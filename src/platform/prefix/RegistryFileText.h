#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The strings of Wine's registry files. Wine writes them in ASCII: a UTF-16 code unit above 127
// as \x and its hex digits (four when a hex digit follows, so that the next character is not
// taken for one), control characters as C escapes (\n, \t, \e, ...) or in octal (\0; three
// digits when an octal digit follows), and a backslash before \ and before the characters that
// close the string (" in names and text, [ and ] in key names). Its loader also takes UTF-8.
namespace galemend {

struct ParsedText {
    std::u16string text;
    std::size_t length;  // bytes read, the closing delimiter included
};

// An escaped string from source up to the delimiter, as wineserver's loader reads it: \x takes
// up to four hex digits (none: an "x"), octal escapes up to three digits, any other escaped
// character stands for itself; bytes that are no UTF-8 are dropped. Nothing when the
// NUL-terminated line ends before the delimiter.
std::optional<ParsedText> ParseRegistryString(const char* source, char delimiter);

}  // namespace galemend
