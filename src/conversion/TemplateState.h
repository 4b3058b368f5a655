#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conversion/LineList.h"
#include "conversion/TemplateIndex.h"

namespace galemend {

// The loaded structure templates and the list of the game's own maps. Every load replaces
// a whole pair; nothing is merged.
struct TemplateState {
    LineList oldTemplate{""};
    std::vector<size_t> oldSections{0};
    std::string oldTemplateName;
    TemplateIndex oldIndex;

    LineList newTemplate{""};
    std::vector<size_t> newSections{0};
    std::string newTemplateName;

    double targetRevision = 0;
    LineList originalMaps;
};

// Line indexes of the section heads: lines whose first "$" is their second character or
// later. A template without heads gives the single entry 0.
std::vector<size_t> SectionHeads(const LineList& lines);

// The count of a head: the leading number of the text after its first "$", or of the whole
// line when it has none.
double HeadCount(std::string_view head);

// Replace a template pair by these lines, as loaded from the named file.
void AssignOldTemplate(TemplateState& state, std::string name, LineList lines);
void AssignNewTemplate(TemplateState& state, std::string name, LineList lines);

}  // namespace galemend
