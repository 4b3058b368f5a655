#include "conversion/TemplateLookups.h"

#include <algorithm>

namespace galemend {

size_t FindTemplateLine(const TemplateState& state, std::string_view text) {
    return state.oldIndex.LastPrefixLine(text);
}

size_t FindSection(const TemplateState& state, size_t t) {
    // Heads are in increasing order: count those strictly before t.
    const auto& heads = state.oldSections;
    const auto before = std::lower_bound(heads.begin(), heads.end(), t) - heads.begin();
    return before > 0 ? static_cast<size_t>(before - 1) : 0;
}

}  // namespace galemend
