// The lenient number reader and the number texts on any text. A number's plain text names a
// template ("uoldstructfix5.txt"), so it must be the one short form a template's author
// writes, and it must read back to the number it came from.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/Numbers.h"

namespace {

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The plain form: an optional minus, digits with no leading zero, a fraction that does not
// end in zero, and an exponent "E+NN" or "E-NNN"; at most 15 significant digits in all.
bool IsPlainForm(std::string_view text) {
    size_t pos = text.starts_with('-') ? 1 : 0;
    const size_t mantissa = pos;
    int significant = 0;
    bool leading = true;
    for (; pos < text.size() && (IsDigit(text[pos]) || text[pos] == '.'); ++pos) {
        if (IsDigit(text[pos])) {
            leading = leading && text[pos] == '0';
            significant += leading ? 0 : 1;
        }
    }
    const std::string_view number = text.substr(mantissa, pos - mantissa);
    const size_t point = number.find('.');
    const std::string_view whole = number.substr(0, point);
    if (whole.empty() || (whole.size() > 1 && whole[0] == '0') || significant > 15) {
        return false;
    }
    if (point != std::string_view::npos && (number.find('.', point + 1) != std::string_view::npos ||
                                            number.back() == '.' || number.back() == '0')) {
        return false;
    }
    const std::string_view exponent = text.substr(pos);
    if (exponent.empty()) {
        return true;
    }
    if (exponent.size() < 4 || exponent.size() > 5 || exponent[0] != 'E' ||
        (exponent[1] != '+' && exponent[1] != '-')) {
        return false;
    }
    for (const char c : exponent.substr(2)) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

// The largest number of 15 significant digits below the largest double: the texts of larger
// numbers round up past it and read as 0, as any number too large to hold does.
constexpr double kLargestPlain = 1.79769313486231e308;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using galemend::LeadingNumber;
    using galemend::PlainNumberText;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const double value = LeadingNumber(input);
    Require(std::isfinite(value));  // the reader promises a finite number

    const std::string plain = PlainNumberText(value);
    Require(IsPlainForm(plain));
    Require(plain.starts_with('-') == (value < 0));  // and -0 is "0"

    const double back = LeadingNumber(plain);
    if (back == 0 && value != 0) {
        Require(std::fabs(value) > kLargestPlain);
    } else {
        // The text is the number rounded to 15 digits, and the number that text names has
        // exactly that text: a revision read from a map names the template written for it.
        Require(std::fabs(back - value) <= std::fabs(value) * 1e-14);
        Require(LeadingNumber(PlainNumberText(back)) == back && PlainNumberText(back) == plain);
    }
    // Whole numbers, as revisions are, print as their digits: 5, never 5.0 or 5E+0.
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        Require(back == value && plain == std::to_string(static_cast<long long>(value)));
    }
    // A counter shows the same number, with a blank for the sign of a number not negative.
    const std::string shown = galemend::SignedNumberText(value);
    Require(LeadingNumber(shown) == back && shown.starts_with(value < 0 ? '-' : ' '));
    return 0;
}
