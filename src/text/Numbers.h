#pragma once

#include <string>
#include <string_view>

namespace galemend {

// The number a text begins with, read leniently: blanks, tabs and line feeds anywhere are
// ignored; an optional sign, digits with at most one decimal point and an optional exponent
// (E or D) are read up to the first character that cannot continue the number; &H and &O
// start a hexadecimal or octal number. A text that does not begin with a number gives 0.
double LeadingNumber(std::string_view text);

// A number as counters show it: a leading blank in the sign position for a number that is
// not negative (" 1", "-1", " .5").
std::string SignedNumberText(double value);

// A number in its shortest decimal form, without a sign position ("5", "0.5", "-2").
std::string PlainNumberText(double value);

}  // namespace galemend
