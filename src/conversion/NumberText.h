#pragma once

#include <string>

namespace galemend {

// A number as counters show it: a leading blank in the sign position for a number that is
// not negative (" 1", "-1", " .5").
std::string SignedNumberText(double value);

// A number in its shortest decimal form, without a sign position ("5", "0.5", "-2").
std::string PlainNumberText(double value);

}  // namespace galemend
