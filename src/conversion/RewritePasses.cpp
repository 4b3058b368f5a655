#include "conversion/RewritePasses.h"

#include "conversion/ApplyStructure.h"
#include "conversion/LineFiles.h"
#include "conversion/TemplateLookups.h"

namespace galemend {

void StructurePass(const TemplateState& state, const LineList& mapLines, std::string& out) {
    size_t j = 0;
    while (j < mapLines.size()) {
        const size_t t = FindTemplateLine(state, mapLines[j]);
        if (t == 0) {
            AppendLine(out, mapLines[j]);
            ++j;
        } else {
            // A block may run past the end of the map; the scan then simply ends.
            j += ApplyStructure(state, FindSection(state, t), j, mapLines, out);
        }
    }
}

void FixPass(const TemplateState& state, const LineList& mapLines, std::string& out) {
    size_t j = 0;
    while (j + 2 < mapLines.size()) {
        const size_t t0 = FindTemplateLine(state, mapLines[j]);
        const size_t t1 = FindTemplateLine(state, mapLines[j + 1]);
        const size_t t2 = FindTemplateLine(state, mapLines[j + 2]);
        if (t0 == 0 || t1 == 0 || t2 == 0) {
            AppendLine(out, mapLines[j]);
            ++j;
        } else {
            j += ApplyStructure(state, FindSection(state, t0), j, mapLines, out);
        }
    }
    for (size_t tail = j; tail < j + 2 && tail < mapLines.size(); ++tail) {
        AppendLine(out, mapLines[tail]);
    }
}

}  // namespace galemend
