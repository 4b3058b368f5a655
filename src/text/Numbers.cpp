#include "text/Numbers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "text/Text.h"

namespace galemend {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// &H and &O numbers: up to four hex (six octal) digits are a signed 16-bit value, longer
// ones a signed 32-bit value, as the lenient reader has always treated them.
double RadixNumber(const std::string& text, size_t pos, int radix) {
    uint64_t value = 0;
    size_t digits = 0;
    for (; pos < text.size(); ++pos, ++digits) {
        const char c = FoldCase(text[pos]);
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (radix == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        }
        if (digit < 0 || digit >= radix) {
            break;
        }
        value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull) {
            return 0;  // too large for any integer type: no number
        }
    }
    if (value <= 0xFFFF && digits <= (radix == 16 ? 4u : 6u)) {
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

}  // namespace

double LeadingNumber(std::string_view raw) {
    std::string text;
    text.reserve(raw.size());
    for (const char c : raw) {
        if (c != ' ' && c != '\t' && c != '\n') {
            text.push_back(c);
        }
    }
    if (text.size() >= 2 && text[0] == '&') {
        const char radix = FoldCase(text[1]);
        if (radix == 'h') {
            return RadixNumber(text, 2, 16);
        }
        if (radix == 'o') {
            return RadixNumber(text, 2, 8);
        }
        return 0;
    }

    // Copy the longest number-shaped prefix in a form std::from_chars accepts.
    std::string number;
    size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        if (text[pos] == '-') {
            number.push_back('-');
        }
        ++pos;
    }
    bool anyDigit = false;
    bool point = false;
    for (; pos < text.size(); ++pos) {
        if (IsDigit(text[pos])) {
            anyDigit = true;
            number.push_back(text[pos]);
        } else if (text[pos] == '.' && !point) {
            point = true;
            number.push_back('.');
        } else {
            break;
        }
    }
    if (!anyDigit) {
        return 0;
    }
    if (pos < text.size() && std::strchr("EeDd", text[pos]) != nullptr) {
        size_t exp = pos + 1;
        std::string exponent = "e";
        if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) {
            exponent.push_back(text[exp]);
            ++exp;
        }
        if (exp < text.size() && IsDigit(text[exp])) {
            while (exp < text.size() && IsDigit(text[exp])) {
                exponent.push_back(text[exp++]);
            }
            number += exponent;
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error != std::errc() || !std::isfinite(value)) {
        return 0;
    }
    return value;
}

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
