#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The order of names as people see them in lists, on the program's UTF-8 text.
namespace galemend {

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
