// Writes the table of one ANSI code page as the system converts it, for the native builds
// (src/platform/posix/CodePageTables.cpp reads it). Runs under Wine, built and started by
// scripts/make-codepage-tables; it asks the program's own Windows code page source, so the
// table answers exactly what that source answers.
//
// Usage: MakeCodePageTable NUMBER > NUMBER.inc
//
// The table is text in one C++ raw string. A form is one byte as its value or two bytes as
// lead * 256 + trail. Its sections:
//   lead     the lead bytes, as ranges
//   decode   form -> character, for every byte and every lead byte with any trail
//   encode   character -> form (or none) wherever it is not the lowest form that decodes
//            to the character
//   unmapped character -> form written for a character with no exact form, wherever that
//            is not the default character "?"
// Each map is a stream of positions and values: "@P" moves to position P, "V" gives the
// value of the position and steps on, "V+N" gives N more positions the values after V,
// "V*N" N more the same value, "-" no value. Characters above U+FFFF must have no form and
// be written as "??" (one default character for each UTF-16 unit); this program checks it.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/CodePages.h"

namespace {

using galemend::CodePageSource;

constexpr unsigned kNoValue = 0xFFFFFFFF;

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

unsigned FormOf(const std::string& bytes) {
    if (bytes.size() == 1) {
        return static_cast<unsigned char>(bytes[0]);
    }
    if (bytes.size() == 2 && static_cast<unsigned char>(bytes[0]) >= 0x80) {
        return static_cast<unsigned char>(bytes[0]) << 8 | static_cast<unsigned char>(bytes[1]);
    }
    throw std::runtime_error("a form of " + std::to_string(bytes.size()) + " bytes");
}

// Writes a map from positions to values as runs, wrapped into lines.
class RunWriter {
  public:
    explicit RunWriter(std::string& out) : out_(out) {}

    void Write(const std::map<unsigned, unsigned>& entries) {
        unsigned next = 0;  // the position the reader is at
        for (auto at = entries.begin(); at != entries.end();) {
            const unsigned position = at->first;
            const unsigned value = at->second;
            auto end = std::next(at);
            unsigned steps = 0;
            bool same = false;
            // A run of values rising by one, or of one value, over following positions.
            for (; end != entries.end() && end->first == position + steps + 1; ++end) {
                const bool rising = value != kNoValue && end->second == value + steps + 1;
                const bool equal = end->second == value;
                if (steps == 0) {
                    same = equal && !rising;
                }
                if (!(same ? equal : rising)) {
                    break;
                }
                ++steps;
            }
            if (position != next) {
                Token("@" + Hex(position));
            }
            std::string token = value == kNoValue ? "-" : Hex(value);
            if (steps > 0) {
                token += (same ? "*" : "+") + Hex(steps);
            }
            Token(token);
            next = position + steps + 1;
            at = end;
        }
        out_ += "\n";
        column_ = 0;
    }

  private:
    void Token(const std::string& token) {
        if (column_ > 0 && column_ + 1 + token.size() > 96) {
            out_ += "\n";
            column_ = 0;
        }
        if (column_ > 0) {
            out_ += " ";
            ++column_;
        }
        out_ += token;
        column_ += token.size();
    }

    std::string& out_;
    size_t column_ = 0;
};

std::string Table(unsigned number) {
    const auto source = galemend::SystemCodePageSource(number);
    if (!source || source->PageKind() == CodePageSource::Kind::Utf8) {
        throw std::runtime_error("no table for code page " + std::to_string(number));
    }
    const bool doubleByte = source->PageKind() == CodePageSource::Kind::DoubleByte;

    std::string leads;
    std::map<unsigned, unsigned> decode;
    for (unsigned b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        if (const auto c = source->Decode(byte)) {
            decode[b] = *c;
        }
        const bool lead = doubleByte && source->IsLeadByte(static_cast<unsigned char>(b));
        if (lead && !source->IsLeadByte(static_cast<unsigned char>(b - 1))) {
            leads += " " + Hex(b);
        }
        if (lead && (b == 255 || !source->IsLeadByte(static_cast<unsigned char>(b + 1)))) {
            leads += "-" + Hex(b);
        }
        for (unsigned trail = 0; lead && trail < 256; ++trail) {
            if (const auto c = source->Decode(byte + static_cast<char>(trail))) {
                decode[b << 8 | trail] = *c;
            }
        }
    }

    // The lowest form of each character: what the reader takes unless told otherwise.
    std::vector<unsigned> lowest(0x10000, kNoValue);
    for (const auto& [form, c] : decode) {
        if (c < 0x10000 && lowest[c] == kNoValue) {
            lowest[c] = form;
        }
    }
    std::map<unsigned, unsigned> encode;
    std::map<unsigned, unsigned> unmapped;
    for (char32_t c = 0; c < 0x10000; ++c) {
        const auto exact = source->Encode(c);
        const unsigned form = exact ? FormOf(*exact) : kNoValue;
        if (form != lowest[c]) {
            encode[c] = form;
        }
        const std::string written = source->Unmapped(c);
        if (written != (exact ? *exact : "?")) {
            unmapped[c] = FormOf(written);
        }
    }
    for (char32_t c = 0x10000; c <= 0x10FFFF; ++c) {
        if (source->Encode(c) || source->Unmapped(c) != "??") {
            throw std::runtime_error("U+" + Hex(c) + " is not written as \"??\"");
        }
    }
    for (const auto& [form, c] : decode) {
        if (c >= 0x10000) {
            throw std::runtime_error("form " + Hex(form) + " decodes above U+FFFF");
        }
    }

    std::string out = "// Code page " + std::to_string(number) +
                      " as Wine converts it; written by scripts/make-codepage-tables.\n";
    out += "{" + std::to_string(number) + ", R\"(lead" + leads + "\ndecode\n";
    RunWriter writer(out);
    writer.Write(decode);
    out += "encode\n";
    writer.Write(encode);
    out += "unmapped\n";
    writer.Write(unmapped);
    out += ")\"},\n";
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeCodePageTable NUMBER\n");
        return 2;
    }
    try {
        const std::string table = Table(static_cast<unsigned>(std::stoul(argv[1])));
        _setmode(_fileno(stdout), _O_BINARY);
        std::fwrite(table.data(), 1, table.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "code page %s: %s\n", argv[1], error.what());
        return 1;
    }
}
