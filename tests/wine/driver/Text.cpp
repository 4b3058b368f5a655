#include "Text.h"

#include <windows.h>

#include <cstdio>

#include "Handle.h"

namespace galemend::e2e {

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            out += code;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int wideLength = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, out.data(), size, nullptr, nullptr);
    return out;
}

std::pair<std::string, std::string> SplitWord(std::string_view line) {
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) {
        return {std::string(line), {}};
    }
    return {std::string(line.substr(0, blank)), std::string(line.substr(blank + 1))};
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start < text.size()) {
        size_t blank = text.find(' ', start);
        if (blank == std::string_view::npos) {
            blank = text.size();
        }
        if (blank > start) {
            words.emplace_back(text.substr(start, blank - start));
        }
        start = blank + 1;
    }
    return words;
}

long ParseNumber(const std::string& text, std::string_view what) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || end == nullptr || *end != '\0') {
        throw DriverError(std::string(what) + ": not a number: " + text);
    }
    return value;
}

}  // namespace galemend::e2e
