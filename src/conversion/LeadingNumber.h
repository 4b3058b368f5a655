#pragma once

#include <string_view>

namespace galemend {

// The number a text begins with, read leniently: blanks, tabs and line feeds anywhere are
// ignored; an optional sign, digits with at most one decimal point and an optional exponent
// (E or D) are read up to the first character that cannot continue the number; &H and &O
// start a hexadecimal or octal number. A text that does not begin with a number gives 0.
double LeadingNumber(std::string_view text);

}  // namespace galemend
