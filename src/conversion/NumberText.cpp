#include "conversion/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace galemend {

namespace {
// Up to 15 significant digits, exponent written with a capital E.
std::string Shortest(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    std::string text(buffer.data(), result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text == "-0" ? "0" : text;
}
}  // namespace

std::string SignedNumberText(double value) {
    std::string text = Shortest(value);
    const bool negative = text.front() == '-';
    std::string digits = negative ? text.substr(1) : text;
    // A fraction below one is shown without its leading zero.
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') {
        digits.erase(0, 1);
    }
    return (negative ? "-" : " ") + digits;
}

std::string PlainNumberText(double value) {
    return Shortest(value);
}

}  // namespace galemend
