#pragma once

#include <string>
#include <string_view>

// Characters and letter case on the program's UTF-8 text. Case is folded code point
// by code point with one simple table (ASCII, Latin-1 Supplement, Latin Extended-A, Greek,
// Cyrillic, full-width Latin): the letters of code pages 1250 to 1253 and of the full-width
// Latin of 932 and 950. A byte that is not part of valid UTF-8 stands for itself.
namespace galemend {

// A byte that starts no valid UTF-8 sequence is read as this plus the byte: above every code
// point, so that it equals only itself.
constexpr char32_t kLoneByte = 0x110000;

struct Character {
    char32_t value;  // the code point, or kLoneByte + the byte
    size_t length;   // in bytes
};

// The character that starts at a byte offset below the text's size. Encoded surrogates count
// as characters, since U+DC80 + byte stands for an undecodable byte of file content.
Character CharacterAt(std::string_view text, size_t at);

// One byte: only an ASCII letter changes, since every other byte of UTF-8 is part of a
// longer character.
char FoldCase(char c);
// One code point: its lower-case partner, or itself.
char32_t FoldCase(char32_t c);

// The text with every letter folded; everything else, invalid bytes included, as it was.
std::string LowerCase(std::string_view text);
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// Matches a name against a pattern with * and ? (each ? one character), ignoring case.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace galemend
