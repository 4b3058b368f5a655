#include "conversion/TemplateIndex.h"

#include <algorithm>

namespace galemend {

namespace {
constexpr uint32_t kNone = 0;  // the root is never anyone's child
}

TemplateIndex::TemplateIndex() : nodes_(1) {}

TemplateIndex::TemplateIndex(const LineList& lines) : nodes_(1) {
    for (size_t i = 0; i < lines.size(); ++i) {
        uint32_t node = 0;
        for (const char raw : lines[i]) {
            const auto c = static_cast<unsigned char>(raw);
            uint32_t next = Child(node, c);
            if (next == kNone) {
                next = static_cast<uint32_t>(nodes_.size());
                nodes_.emplace_back();
                nodes_[node].children.emplace_back(c, next);
            }
            node = next;
        }
        // Lines are added in increasing order, so the latest one ending here is the highest.
        nodes_[node].lastLine = static_cast<int64_t>(i);
    }
}

uint32_t TemplateIndex::Child(uint32_t node, unsigned char c) const {
    const auto& children = nodes_[node].children;
    for (const auto& [letter, child] : children) {
        if (letter == c) {
            return child;
        }
    }
    return kNone;
}

size_t TemplateIndex::LastPrefixLine(std::string_view text) const {
    int64_t best = nodes_[0].lastLine;
    uint32_t node = 0;
    for (const char raw : text) {
        node = Child(node, static_cast<unsigned char>(raw));
        if (node == kNone) {
            break;
        }
        best = std::max(best, nodes_[node].lastLine);
    }
    return best > 0 ? static_cast<size_t>(best) : 0;
}

}  // namespace galemend
