#include "text/CodePage.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace galemend {

namespace {

constexpr char32_t kNone = 0xFFFFFFFF;  // does not decode
constexpr char32_t kLead = 0xFFFFFFFE;  // starts a two-byte character
constexpr uint16_t kNoForm = 0;         // U+0000 is ASCII and never looked up

bool IsEscape(char32_t c) {
    return c >= EscapeOf(0x80) && c <= EscapeOf(0xFF);
}

// Lead bytes are 0x80 or above, so pair escapes fill the top of the last private plane.
bool IsPairEscape(char32_t c) {
    return c >= EscapeOf(0x80, 0x00) && c <= EscapeOf(0xFF, 0xFF);
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Index of the first byte at or after i that is not ASCII, or the text's size.
size_t AsciiEnd(std::string_view text, size_t i) {
    constexpr uint64_t kHighBits = 0x8080808080808080ULL;
    const size_t n = text.size();
    // Whole files are mostly ASCII: 32 bytes a step while no byte has its high bit set.
    while (i + 32 <= n) {
        uint64_t words[4];
        std::memcpy(words, text.data() + i, sizeof words);
        if (((words[0] | words[1] | words[2] | words[3]) & kHighBits) != 0) {
            break;
        }
        i += 32;
    }
    while (i + 8 <= n) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
        i += 8;
    }
    while (i < n && static_cast<unsigned char>(text[i]) < 0x80) {
        ++i;
    }
    return i;
}

// The character whose UTF-8 form starts at i (not ASCII); returns its length, or 0 when the
// bytes there are no UTF-8 form. Surrogates pass unless strict: the program's own text holds
// escapes, a file in UTF-8 must not.
size_t ReadUtf8(std::string_view text, size_t i, char32_t& c, bool strict) {
    const auto at = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = at(i);
    size_t length;
    char32_t min;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, c = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if (!IsContinuation(at(i + k))) {
            return 0;
        }
        c = (c << 6) | (at(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (strict && c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    return length;
}

}  // namespace

void AppendCharacter(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        const char bytes[2] = {static_cast<char>(0xC0 | (c >> 6)),
                               static_cast<char>(0x80 | (c & 0x3F))};
        out.append(bytes, 2);
    } else if (c < 0x10000) {
        const char bytes[3] = {static_cast<char>(0xE0 | (c >> 12)),
                               static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                               static_cast<char>(0x80 | (c & 0x3F))};
        out.append(bytes, 3);
    } else {
        const char bytes[4] = {
            static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
            static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        out.append(bytes, 4);
    }
}

size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (const char byte : text) {
        count += IsContinuation(static_cast<unsigned char>(byte)) ? 0 : 1;
    }
    return count;
}

struct CodePage::Tables {
    unsigned number = 0;
    CodePageSource::Kind kind = CodePageSource::Kind::SingleByte;
    std::unique_ptr<CodePageSource> source;
    std::array<char32_t, 256> single{};
    std::vector<char32_t> pairs;  // by lead * 256 + trail, double-byte pages only
    // Encoding: one byte as its value, two bytes as lead * 256 + trail (lead >= 0x80).
    std::vector<uint16_t> bmp = std::vector<uint16_t>(0x10000, kNoForm);
    std::unordered_map<char32_t, uint16_t> astral;

    void AddForm(char32_t c, uint16_t form) {
        if (c < 0x10000) {
            bmp[c] = form;
        } else {
            astral.emplace(c, form);
        }
    }
    uint16_t FormOf(char32_t c) const {
        if (c < 0x10000) {
            return bmp[c];
        }
        const auto found = astral.find(c);
        return found == astral.end() ? kNoForm : found->second;
    }

    // The character the bytes decode to, kept only when it encodes back to the same bytes.
    char32_t RoundTrip(std::string_view bytes) const {
        const auto c = source->Decode(bytes);
        if (!c || IsEscape(*c) || IsPairEscape(*c) || source->Encode(*c) != std::string(bytes)) {
            return kNone;
        }
        return *c;
    }

    void Build() {
        const bool doubleByte = kind == CodePageSource::Kind::DoubleByte;
        for (unsigned b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            if (doubleByte && source->IsLeadByte(static_cast<unsigned char>(b))) {
                single[b] = kLead;
                continue;
            }
            single[b] = RoundTrip(byte);
            if (b < 0x80 && single[b] != b) {
                throw std::invalid_argument("code page " + std::to_string(number) +
                                            " does not keep ASCII as it is");
            }
            if (single[b] != kNone && b >= 0x80) {
                AddForm(single[b], static_cast<uint16_t>(b));
            }
        }
        if (!doubleByte) {
            return;
        }
        pairs.assign(0x10000, kNone);
        for (unsigned lead = 0x80; lead < 256; ++lead) {
            if (single[lead] != kLead) {
                continue;
            }
            for (unsigned trail = 0; trail < 256; ++trail) {
                const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const auto form = static_cast<uint16_t>(lead << 8 | trail);
                pairs[form] = RoundTrip(std::string_view(bytes, 2));
                if (pairs[form] != kNone) {
                    AddForm(pairs[form], form);
                }
            }
        }
    }

    // Copies each run of ASCII as it stands and hands every other byte position to `other`,
    // which appends the character that starts there and returns where the next one starts.
    template <typename Other>
    static void DecodeRuns(std::string_view bytes, std::string& out, Other other) {
        for (size_t i = 0;;) {
            const size_t ascii = AsciiEnd(bytes, i);
            out.append(bytes.data() + i, ascii - i);
            if (ascii == bytes.size()) {
                return;
            }
            i = other(ascii);
        }
    }

    void DecodeTables(std::string_view bytes, std::string& out) const {
        DecodeRuns(bytes, out, [&](size_t at) {
            const auto b = static_cast<unsigned char>(bytes[at]);
            char32_t c = single[b];
            if (c != kLead) {
                AppendCharacter(out, c == kNone ? EscapeOf(b) : c);
                return at + 1;
            }
            // The system takes the next byte with a lead byte, whatever pair they make, but
            // for a NUL; a line's CR LF ends the line first.
            const size_t next = at + 1;
            const bool paired =
                next < bytes.size() && bytes[next] != '\0' &&
                !(bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n');
            if (!paired) {
                AppendCharacter(out, EscapeOf(b));
                return next;
            }
            const auto trail = static_cast<unsigned char>(bytes[next]);
            c = pairs[static_cast<size_t>(b) << 8 | trail];
            AppendCharacter(out, c == kNone ? EscapeOf(b, trail) : c);
            return next + 1;
        });
    }

    void DecodeUtf8(std::string_view bytes, std::string& out) const {
        DecodeRuns(bytes, out, [&](size_t at) {
            char32_t c;
            const size_t length = ReadUtf8(bytes, at, c, true);
            if (length == 0) {
                AppendCharacter(out, EscapeOf(static_cast<unsigned char>(bytes[at])));
                return at + 1;
            }
            out.append(bytes.data() + at, length);
            return at + length;
        });
    }

    void AppendForm(std::string& out, char32_t c, std::string_view utf8) const {
        if (kind == CodePageSource::Kind::Utf8) {
            out.append(utf8);
            return;
        }
        if (kind == CodePageSource::Kind::DoubleByte && IsPairEscape(c)) {
            out += static_cast<char>((c >> 8) & 0xFF);
            out += static_cast<char>(c & 0xFF);
            return;
        }
        const uint16_t form = FormOf(c);
        if (form == kNoForm) {
            out += source->Unmapped(c);
        } else if (form < 0x100) {
            out += static_cast<char>(form);
        } else {
            out += static_cast<char>(form >> 8);
            out += static_cast<char>(form & 0xFF);
        }
    }
};

CodePage::CodePage(unsigned number, std::unique_ptr<CodePageSource> source) {
    auto tables = std::make_shared<Tables>();
    tables->number = number;
    tables->kind = source->PageKind();
    tables->source = std::move(source);
    if (tables->kind != CodePageSource::Kind::Utf8) {
        tables->Build();
    }
    tables_ = std::move(tables);
}

unsigned CodePage::Number() const {
    return tables_->number;
}

std::string CodePage::Decode(std::string_view bytes) const {
    std::string out;
    const std::string_view result = Decode(bytes, out);
    if (result.data() != out.data()) {
        return std::string(result);
    }
    return out;
}

std::string CodePage::Encode(std::string_view text) const {
    std::string out;
    const std::string_view result = Encode(text, out);
    if (result.data() != out.data()) {
        return std::string(result);
    }
    return out;
}

std::string_view CodePage::Decode(std::string_view bytes, std::string& buffer) const {
    if (AsciiEnd(bytes, 0) == bytes.size()) {
        return bytes;
    }
    buffer.clear();
    buffer.reserve(bytes.size() + bytes.size() / 2);
    if (tables_->kind == CodePageSource::Kind::Utf8) {
        tables_->DecodeUtf8(bytes, buffer);
    } else {
        tables_->DecodeTables(bytes, buffer);
    }
    return buffer;
}

std::string_view CodePage::Encode(std::string_view text, std::string& buffer) const {
    if (AsciiEnd(text, 0) == text.size()) {
        return text;
    }
    std::string& out = buffer;
    out.clear();
    out.reserve(text.size());
    size_t i = 0;
    while (true) {
        const size_t ascii = AsciiEnd(text, i);
        out.append(text.data() + i, ascii - i);
        if (ascii == text.size()) {
            return out;
        }
        char32_t c;
        const size_t length = ReadUtf8(text, ascii, c, false);
        if (length == 0) {
            out += text[ascii];  // not UTF-8: the byte stays as it is
            i = ascii + 1;
        } else if (IsEscape(c)) {
            out += static_cast<char>(c - 0xDC00);
            i = ascii + length;
        } else {
            tables_->AppendForm(out, c, text.substr(ascii, length));
            i = ascii + length;
        }
    }
}

}  // namespace galemend
