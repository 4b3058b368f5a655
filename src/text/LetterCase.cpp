#include "text/LetterCase.h"

#include <algorithm>
#include <cstdint>

namespace galemend {

namespace {

// A byte that does not start a valid UTF-8 sequence is read as this plus the byte: above
// every code point, so that it equals only itself.
constexpr char32_t kLoneByte = 0x110000;

struct Character {
    char32_t value;
    size_t length;  // bytes
};

// The character at a byte offset. Encoded surrogates are accepted, since U+DC80 + byte
// stands for an undecodable byte of file content.
Character Decode(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const Character lone{kLoneByte + lead, 1};
    if (lead < 0x80) {
        return {lead, 1};
    }
    size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07u, smallest = 0x10000;
    } else {
        return lone;
    }
    if (text.size() - at < length) {
        return lone;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return lone;
        }
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF) {
        return lone;
    }
    return {value, length};
}

void Encode(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // Folded letters all lie below U+10000.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Pairs of capital and small letter next to each other, the capital at the even code point
// (or at the odd one).
char32_t EvenCapital(char32_t c) {
    return (c & 1) != 0 ? c : c + 1;
}
char32_t OddCapital(char32_t c) {
    return (c & 1) != 0 ? c + 1 : c;
}

char32_t FoldLatin(char32_t c) {
    if (c < 0x100) {
        if (c == 0xB5) {
            return 0x3BC;  // micro sign: Greek mu
        }
        return c >= 0xC0 && c <= 0xDE && c != 0xD7 ? c + 0x20 : c;
    }
    switch (c) {
        case 0x130:  // capital I with dot, dotless i, kra and n with apostrophe have no partner
        case 0x131:
        case 0x138:
        case 0x149:
            return c;
        case 0x178:
            return 0xFF;
        case 0x17F:
            return U's';  // long s
        default:
            break;
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return OddCapital(c);
    }
    return EvenCapital(c);
}

char32_t FoldGreek(char32_t c) {
    if (c == 0x386) {
        return 0x3AC;
    }
    if (c >= 0x388 && c <= 0x38A) {
        return c + 37;
    }
    if (c == 0x38C) {
        return 0x3CC;
    }
    if (c == 0x38E || c == 0x38F) {
        return c + 63;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) {
        return c + 32;
    }
    return c == 0x3C2 ? 0x3C3 : c;  // final sigma
}

char32_t FoldCyrillic(char32_t c) {
    if (c < 0x410) {
        return c + 0x50;
    }
    if (c < 0x430) {
        return c + 0x20;
    }
    if (c == 0x4C0) {
        return 0x4CF;
    }
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || c >= 0x4D0) {
        return EvenCapital(c);
    }
    if (c >= 0x4C1 && c <= 0x4CE) {
        return OddCapital(c);
    }
    return c;
}

}  // namespace

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char32_t FoldCase(char32_t c) {
    if (c < 0x80) {
        return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
    }
    if (c < 0x180) {
        return FoldLatin(c);
    }
    if (c >= 0x370 && c < 0x400) {
        return FoldGreek(c);
    }
    if (c >= 0x400 && c < 0x500) {
        return FoldCyrillic(c);
    }
    if (c >= 0xFF21 && c <= 0xFF3A) {
        return c + 0x20;  // full-width Latin
    }
    return c;
}

std::string LowerCase(std::string_view text) {
    std::string lowered;
    lowered.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const Character c = Decode(text, at);
        const char32_t folded = FoldCase(c.value);
        if (folded == c.value) {
            lowered.append(text.substr(at, c.length));
        } else {
            Encode(folded, lowered);
        }
        at += c.length;
    }
    return lowered;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const Character x = Decode(a, i);
        const Character y = Decode(b, j);
        if (FoldCase(x.value) != FoldCase(y.value)) {
            return false;
        }
        i += x.length;
        j += y.length;
    }
    return i == a.size() && j == b.size();
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    // Greedy matching with one back-track point per star: linear in practice.
    size_t p = 0, n = 0;
    size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        const Character c = Decode(name, n);
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            const Character wanted = Decode(pattern, p);
            if (wanted.value == U'?' || FoldCase(wanted.value) == FoldCase(c.value)) {
                p += wanted.length;
                n += c.length;
                continue;
            }
        }
        if (starP == std::string_view::npos) {
            return false;
        }
        // The last star takes one more character of the name.
        p = starP + 1;
        starN += Decode(name, starN).length;
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

namespace {

// How a name sorts, level by level: a primary weight per character (its letter of the
// alphabet, or its class), then a secondary one (accents), then the ignored characters.
struct Element {
    std::uint32_t primary;
    std::uint32_t secondary;  // 0 for a letter without accent
};

constexpr std::uint32_t kDigits = 0x10000;       // symbols sort below by code point
constexpr std::uint32_t kLetters = 0x100000;     // letters by alphabet, scripts in code order
constexpr std::uint32_t kLoneBytes = 0x8000000;  // after every letter

// A letter sorts by its base letter; rank places a letter of its own just after the base.
constexpr std::uint32_t Letter(char32_t base, std::uint32_t rank = 0) {
    return kLetters + static_cast<std::uint32_t>(base) * 4 + rank;
}

bool Ignored(char32_t c) {
    return c == U'-' || c == U'\'';
}

// The base letters of U+00C0..U+017F as Windows sorts them: one letter for an accented one,
// two for a ligature sorting as two letters, a letter and "+" for a letter of its own after
// that one, nothing for a symbol.
constexpr const char* kLatinBases[] = {
    // U+00C0
    "a",
    "a",
    "a",
    "a",
    "a",
    "a",
    "ae",
    "c",
    "e",
    "e",
    "e",
    "e",
    "i",
    "i",
    "i",
    "i",
    // U+00D0
    "d",
    "n",
    "o",
    "o",
    "o",
    "o",
    "o",
    "",
    "o",
    "u",
    "u",
    "u",
    "u",
    "y",
    "th",
    "ss",
    // U+00E0
    "a",
    "a",
    "a",
    "a",
    "a",
    "a",
    "ae",
    "c",
    "e",
    "e",
    "e",
    "e",
    "i",
    "i",
    "i",
    "i",
    // U+00F0
    "d",
    "n",
    "o",
    "o",
    "o",
    "o",
    "o",
    "",
    "o",
    "u",
    "u",
    "u",
    "u",
    "y",
    "th",
    "y",
    // U+0100
    "a",
    "a",
    "a",
    "a",
    "a",
    "a",
    "c",
    "c",
    "c",
    "c",
    "c",
    "c",
    "c",
    "c",
    "d",
    "d",
    // U+0110
    "d",
    "d",
    "e",
    "e",
    "e",
    "e",
    "e",
    "e",
    "e",
    "e",
    "e",
    "e",
    "g",
    "g",
    "g",
    "g",
    // U+0120
    "g",
    "g",
    "g",
    "g",
    "h",
    "h",
    "h",
    "h",
    "i",
    "i",
    "i",
    "i",
    "i",
    "i",
    "i",
    "i",
    // U+0130
    "i",
    "i",
    "ij",
    "ij",
    "j",
    "j",
    "k",
    "k",
    "k",
    "l",
    "l",
    "l",
    "l",
    "l",
    "l",
    "l",
    // U+0140
    "l",
    "l",
    "l",
    "n",
    "n",
    "n",
    "n",
    "n",
    "n",
    "n",
    "n+",
    "n+",
    "o",
    "o",
    "o",
    "o",
    // U+0150
    "o",
    "o",
    "oe",
    "oe",
    "r",
    "r",
    "r",
    "r",
    "r",
    "r",
    "s",
    "s",
    "s",
    "s",
    "s",
    "s",
    // U+0160
    "s",
    "s",
    "t",
    "t",
    "t",
    "t",
    "t+",
    "t+",
    "u",
    "u",
    "u",
    "u",
    "u",
    "u",
    "u",
    "u",
    // U+0170
    "u",
    "u",
    "u",
    "u",
    "w",
    "w",
    "y",
    "y",
    "y",
    "z",
    "z",
    "z",
    "z",
    "z",
    "z",
    "s+",
};

// Small Greek letters with accents, U+03AC..U+03CE, by their base letter (0: none).
char32_t GreekBase(char32_t c) {
    switch (c) {
        case 0x390:
        case 0x3AF:
        case 0x3CA:
            return 0x3B9;  // iota
        case 0x3AC:
            return 0x3B1;
        case 0x3AD:
            return 0x3B5;
        case 0x3AE:
            return 0x3B7;
        case 0x3B0:
        case 0x3CB:
        case 0x3CD:
            return 0x3C5;  // upsilon
        case 0x3CC:
            return 0x3BF;
        case 0x3CE:
            return 0x3C9;
        default:
            return 0;
    }
}

// Small Cyrillic letters beyond the Russian alphabet: a letter with an accent, or a letter of
// its own after the one it follows in the alphabet.
Element CyrillicElement(char32_t c) {
    struct Entry {
        char32_t letter;
        char32_t base;
        std::uint32_t rank;  // 0: the base letter with an accent
    };
    static constexpr Entry kEntries[] = {
        {0x439, 0x438, 0}, {0x450, 0x435, 0}, {0x451, 0x435, 0}, {0x452, 0x434, 1},
        {0x453, 0x433, 0}, {0x454, 0x435, 1}, {0x455, 0x437, 1}, {0x456, 0x438, 1},
        {0x457, 0x438, 2}, {0x458, 0x438, 3}, {0x459, 0x43B, 1}, {0x45A, 0x43D, 1},
        {0x45B, 0x442, 1}, {0x45C, 0x43A, 0}, {0x45D, 0x438, 0}, {0x45E, 0x443, 0},
        {0x45F, 0x447, 1}, {0x491, 0x433, 1},
    };
    for (const Entry& entry : kEntries) {
        if (entry.letter == c) {
            return {Letter(entry.base, entry.rank),
                    entry.rank == 0 ? static_cast<std::uint32_t>(c) : 0};
        }
    }
    return {Letter(c), 0};
}

// Walks the characters of a name that count at the first two levels.
class Collation {
  public:
    explicit Collation(std::string_view text) : text_(text) {}

    bool Next(Element& element) {
        if (pending_ != 0) {
            element = {Letter(static_cast<char32_t>(pending_)), 0};
            pending_ = 0;
            return true;
        }
        while (at_ < text_.size()) {
            const Character c = Decode(text_, at_);
            at_ += c.length;
            const char32_t folded = FoldCase(c.value);
            if (!Ignored(folded)) {
                element = Of(folded);
                return true;
            }
        }
        return false;
    }

  private:
    Element Of(char32_t c) {
        if (c >= kLoneByte) {
            return {kLoneBytes + static_cast<std::uint32_t>(c - kLoneByte), 0};
        }
        if (c >= U'0' && c <= U'9') {
            return {kDigits + static_cast<std::uint32_t>(c), 0};
        }
        if (c >= U'a' && c <= U'z') {
            return {Letter(c), 0};
        }
        if (c == 0xAA || c == 0xBA) {  // ordinal indicators: a and o
            return {Letter(c == 0xAA ? U'a' : U'o'), static_cast<std::uint32_t>(c)};
        }
        if (c < 0xC0) {
            return {static_cast<std::uint32_t>(c), 0};
        }
        if (c < 0x180) {
            return Latin(c);
        }
        if (const char32_t base = GreekBase(c); base != 0) {
            return {Letter(base), static_cast<std::uint32_t>(c)};
        }
        if (c >= 0x439 && c < 0x500) {
            return CyrillicElement(c);
        }
        if (c >= 0xFF41 && c <= 0xFF5A) {  // full-width Latin: the letter, told apart
            return {Letter(c - 0xFF41 + U'a'), static_cast<std::uint32_t>(c)};
        }
        return {Letter(c), 0};
    }

    Element Latin(char32_t c) {
        const std::string_view base = kLatinBases[c - 0xC0];
        if (base.empty()) {
            return {static_cast<std::uint32_t>(c), 0};
        }
        const auto first = static_cast<char32_t>(base[0]);
        if (base.size() == 1) {
            return {Letter(first), static_cast<std::uint32_t>(c)};
        }
        if (base[1] == '+') {
            return {Letter(first, 1), 0};
        }
        pending_ = base[1];
        return {Letter(first), 0};
    }

    std::string_view text_;
    size_t at_ = 0;
    char pending_ = 0;  // the second letter of a ligature
};

template <typename Weight>
int CompareLevel(std::string_view a, std::string_view b, Weight weight) {
    Collation x(a);
    Collation y(b);
    Element ex{}, ey{};
    for (;;) {
        const bool moreX = x.Next(ex);
        const bool moreY = y.Next(ey);
        if (!moreX || !moreY) {
            return moreX ? 1 : moreY ? -1 : 0;
        }
        if (weight(ex) != weight(ey)) {
            return weight(ex) < weight(ey) ? -1 : 1;
        }
    }
}

// The characters left out of the first two levels, and then every character folded: each in
// order, a shorter sequence first.
template <typename Keep>
int CompareFolded(std::string_view a, std::string_view b, Keep keep) {
    size_t i = 0, j = 0;
    for (;;) {
        char32_t x = 0, y = 0;
        while (i < a.size() && x == 0) {
            const Character c = Decode(a, i);
            i += c.length;
            x = keep(FoldCase(c.value)) ? FoldCase(c.value) : 0;
        }
        while (j < b.size() && y == 0) {
            const Character c = Decode(b, j);
            j += c.length;
            y = keep(FoldCase(c.value)) ? FoldCase(c.value) : 0;
        }
        if (x != y) {
            return x < y ? -1 : 1;
        }
        if (x == 0) {
            return 0;
        }
    }
}

}  // namespace

int CompareNamesIgnoringCase(std::string_view a, std::string_view b) {
    if (const int primary = CompareLevel(a, b, [](const Element& e) { return e.primary; })) {
        return primary;
    }
    if (const int accents = CompareLevel(a, b, [](const Element& e) { return e.secondary; })) {
        return accents;
    }
    if (const int ignored = CompareFolded(a, b, Ignored)) {
        return ignored;
    }
    return CompareFolded(a, b, [](char32_t c) { return c != 0; });
}

void SortNamesIgnoringCase(std::vector<std::string>& names, const NameOrder& order) {
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        const int compared = order(a, b);
        return compared != 0 ? compared < 0 : a < b;
    });
}

}  // namespace galemend
