#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// File content is text in the system's ANSI code page; inside the program every string is
// UTF-8. A CodePage turns one into the other at the file boundary, so that every rule counts
// characters as the system does: in a double-byte code page a lead byte and the byte after
// it are one character, whatever they decode to, unless that byte is a NUL or the CR of a
// line's CR LF (the lead byte then stands alone). Bytes that do not decode to a character
// that encodes back to them become escapes that encode back to exactly those bytes: a single
// byte (a lone lead byte, an undefined byte) the character U+DC80 + byte, a pair the private
// character U+100000 + lead * 256 + trail. Decoding and then encoding gives back any byte
// string exactly.
namespace galemend {

// The system's own conversion of single characters, asked once per code page to build the
// tables a CodePage works from.
class CodePageSource {
  public:
    virtual ~CodePageSource() = default;

    enum class Kind { SingleByte, DoubleByte, Utf8 };
    virtual Kind PageKind() const = 0;

    // Whether the byte starts a two-byte character (double-byte pages only).
    virtual bool IsLeadByte(unsigned char byte) const = 0;
    // The character one or two bytes stand for, or nothing when the system does not decode
    // them.
    virtual std::optional<char32_t> Decode(std::string_view bytes) const = 0;
    // The bytes the system writes for the character, or nothing when it has no exact form.
    virtual std::optional<std::string> Encode(char32_t c) const = 0;
    // What the system writes for a character with no exact form.
    virtual std::string Unmapped(char32_t c) const = 0;
};

// One ANSI code page: decoding to UTF-8 and encoding back. Copies share the tables.
class CodePage {
  public:
    // Builds the tables from the source: a byte sequence decodes to a character only when
    // the source decodes it to that character and encodes the character back to exactly
    // those bytes; the source is kept for characters with no form. ASCII must be ASCII.
    CodePage(unsigned number, std::unique_ptr<CodePageSource> source);

    unsigned Number() const;

    // The bytes as UTF-8 text; bytes that do not decode become escapes.
    std::string Decode(std::string_view bytes) const;
    // UTF-8 text back to bytes: escapes give their byte, other characters their form in the
    // code page, and a character without one what the system writes for it.
    std::string Encode(std::string_view text) const;

    // The same conversions into a buffer the caller reuses. Text that is all ASCII reads the
    // same either way, so it comes back as the input itself and the buffer is left alone.
    std::string_view Decode(std::string_view bytes, std::string& buffer) const;
    std::string_view Encode(std::string_view text, std::string& buffer) const;

    struct Tables;

  private:
    std::shared_ptr<const Tables> tables_;
};

// The character that stands for a byte that does not decode.
constexpr char32_t EscapeOf(unsigned char byte) {
    return 0xDC00 + byte;
}
// The character that stands for a two-byte character of a double-byte code page that does
// not decode, or decodes to a character written back as other bytes.
constexpr char32_t EscapeOf(unsigned char lead, unsigned char trail) {
    return 0x100000 + (char32_t{lead} << 8) + trail;
}

// Characters of UTF-8 text: code points, each escape counting as one.
size_t CharacterCount(std::string_view text);
// The text from its n-th character on (counted from 0); empty when it has n or fewer. Inline:
// a conversion calls it for every " &" it writes.
inline std::string_view FromCharacter(std::string_view text, size_t n) {
    // Mostly the text is ASCII up to there, and its characters are bytes: when the n bytes
    // have no high bit and the next one starts a character, one word tells.
    static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
    if (n < 8 && text.size() >= 8) {
        uint64_t word;
        std::memcpy(&word, text.data(), sizeof word);
        const uint64_t first = (uint64_t{1} << (8 * n)) - 1;
        if ((word & first & 0x8080808080808080ULL) == 0 && ((word >> (8 * n)) & 0xC0) != 0x80) {
            return text.substr(n);
        }
    }
    size_t i = 0;
    for (size_t skipped = 0; skipped < n && i < text.size(); ++skipped) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) {
            ++i;
        }
    }
    return text.substr(i);
}
// Appends the UTF-8 form of the character.
void AppendCharacter(std::string& out, char32_t c);

}  // namespace galemend
