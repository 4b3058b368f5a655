#include "text/Text.h"

namespace galemend {

Character CharacterAt(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const Character lone{kLoneByte + lead, 1};
    if (lead < 0x80) {
        return {lead, 1};
    }
    size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        smallest = 0x10000;
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

namespace {

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
        const Character c = CharacterAt(text, at);
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
        const Character x = CharacterAt(a, i);
        const Character y = CharacterAt(b, j);
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
        const Character c = CharacterAt(name, n);
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            const Character wanted = CharacterAt(pattern, p);
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
        starN += CharacterAt(name, starN).length;
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace galemend
