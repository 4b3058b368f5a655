#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "conversion/LineList.h"

namespace galemend {

// A trie over the lines of an old template. Each node keeps the highest line index that ends
// there, so the last template line that is a prefix of a text is found in one walk along the
// text instead of a comparison with every template line.
class TemplateIndex {
  public:
    TemplateIndex();
    explicit TemplateIndex(const LineList& lines);

    // The highest index of a line that is a prefix of the text, or 0 when none is.
    size_t LastPrefixLine(std::string_view text) const;

  private:
    struct Node {
        int64_t lastLine = -1;
        std::vector<std::pair<unsigned char, uint32_t>> children;
    };
    uint32_t Child(uint32_t node, unsigned char c) const;

    std::vector<Node> nodes_;
};

}  // namespace galemend
