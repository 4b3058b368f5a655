#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Letter case and the order of names on the program's UTF-8 text. Case is folded code point
// by code point with one simple table (ASCII, Latin-1 Supplement, Latin Extended-A, Greek,
// Cyrillic, full-width Latin): the letters of code pages 1250 to 1253 and of the full-width
// Latin of 932 and 950. A byte that is not part of valid UTF-8 stands for itself.
namespace galemend {

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

// The order of names ascending, ignoring case, as Windows sorts them for people: symbols,
// then digits, then letters by alphabet, accents only breaking ties between otherwise equal
// names; hyphens and apostrophes count only when all else is equal. Negative, zero (equal
// ignoring case) or positive.
int CompareNamesIgnoringCase(std::string_view a, std::string_view b);

// A three-way comparison of names such as the one above.
using NameOrder = std::function<int(std::string_view, std::string_view)>;

// Sorts names ascending by the order; names it finds equal (equal but for case) keep a
// fixed order among themselves, that of their bytes.
void SortNamesIgnoringCase(std::vector<std::string>& names,
                           const NameOrder& order = CompareNamesIgnoringCase);

}  // namespace galemend
