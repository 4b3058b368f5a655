#include "conversion/TemplateState.h"

#include "conversion/LeadingNumber.h"

namespace galemend {

std::vector<size_t> SectionHeads(const LineList& lines) {
    std::vector<size_t> heads;
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t dollar = lines[i].find('$');
        if (dollar != std::string::npos && dollar >= 1) {
            heads.push_back(i);
        }
    }
    if (heads.empty()) {
        heads.push_back(0);
    }
    return heads;
}

double HeadCount(std::string_view head) {
    const size_t dollar = head.find('$');
    return LeadingNumber(dollar == std::string_view::npos ? head : head.substr(dollar + 1));
}

void AssignOldTemplate(TemplateState& state, std::string name, LineList lines) {
    state.oldSections = SectionHeads(lines);
    state.oldIndex = TemplateIndex(lines);
    state.oldTemplate = std::move(lines);
    state.oldTemplateName = std::move(name);
}

void AssignNewTemplate(TemplateState& state, std::string name, LineList lines) {
    state.newSections = SectionHeads(lines);
    state.newTemplate = std::move(lines);
    state.newTemplateName = std::move(name);
}

}  // namespace galemend
