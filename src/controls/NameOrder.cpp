#include "controls/NameOrder.h"

#include <algorithm>
#include <cctype>

namespace galemend {

namespace {
unsigned char Folded(char c) {
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const auto mismatch = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Folded(x) == Folded(y); });
    if (mismatch.first == a.end() || mismatch.second == b.end()) {
        if (a.size() != b.size()) {
            return a.size() < b.size();
        }
        return a < b;
    }
    return Folded(*mismatch.first) < Folded(*mismatch.second);
}
}  // namespace

void SortNamesIgnoringCase(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), LessIgnoringCase);
}

}  // namespace galemend
