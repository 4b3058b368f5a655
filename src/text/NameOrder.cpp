#include "text/Text.h"

#include <algorithm>
#include <cstdint>

namespace galemend {

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

// The base letters of U+00C0..U+017F as Windows sorts them, one character per code point: the
// letter of an accented letter, a capital for a letter of its own just after that letter, a
// digit for a ligature sorting as two letters (kLigatures), "." for a symbol.
constexpr std::string_view kLatinBases =
    "aaaaaa1ceeeeiiii"   // U+00C0
    "dnooooo.ouuuuy23"   // U+00D0
    "aaaaaa1ceeeeiiii"   // U+00E0
    "dnooooo.ouuuuy2y"   // U+00F0
    "aaaaaaccccccccdd"   // U+0100
    "ddeeeeeeeeeegggg"   // U+0110
    "gggghhhhiiiiiiii"   // U+0120
    "ii44jjkkklllllll"   // U+0130
    "lllnnnnnnnNNoooo"   // U+0140
    "oo55rrrrrrssssss"   // U+0150
    "ssttttTTuuuuuuuu"   // U+0160
    "uuuuwwyyyzzzzzzS";  // U+0170
constexpr std::string_view kLigatures[] = {"ae", "th", "ss", "ij", "oe"};

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
            const Character c = CharacterAt(text_, at_);
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
        const char base = kLatinBases[c - 0xC0];
        if (base == '.') {
            return {static_cast<std::uint32_t>(c), 0};
        }
        if (base >= '1' && base <= '5') {
            const std::string_view letters = kLigatures[base - '1'];
            pending_ = letters[1];
            return {Letter(static_cast<char32_t>(letters[0])), 0};
        }
        if (base >= 'A' && base <= 'Z') {
            return {Letter(static_cast<char32_t>(base - 'A' + 'a'), 1), 0};
        }
        return {Letter(static_cast<char32_t>(base)), static_cast<std::uint32_t>(c)};
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
            const Character c = CharacterAt(a, i);
            i += c.length;
            x = keep(FoldCase(c.value)) ? FoldCase(c.value) : 0;
        }
        while (j < b.size() && y == 0) {
            const Character c = CharacterAt(b, j);
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
