#include "conversion/MapPasses.h"

namespace galemend {

namespace {

// The lines of a text written line by line, given where each ends, as SplitLines gives
// them: a text of lines that each end in CR LF and hold none splits at those ends, after the
// trailing CR LFs are dropped, which drops the empty lines at the end.
void LinesAt(std::string_view text, const std::vector<size_t>& ends, LineViews& lines) {
    lines.clear();
    size_t start = 0;
    for (const size_t end : ends) {
        lines.emplace_back(text.data() + start, end - 2 - start);
        start = end;
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
}

}  // namespace

void MapPasses::Start(const CodePage& codePage, std::string_view mapText, bool diagnosticMode) {
    codePage_ = &codePage;
    mapText_ = mapText;
    diagnosticMode_ = diagnosticMode;
    split_ = false;
    structured_ = {};
}

MapLines MapPasses::Lines() {
    if (!split_) {
        SplitLines(mapText_, mapLines_);
        split_ = true;
    }
    return mapLines_;
}

std::string_view MapPasses::Structured(const PassTemplates& templates) {
    StructurePass(templates, Lines(), text_, &ends_);
    structured_ = codePage_->Encode(text_, encoded_);
    return structured_;
}

std::string_view MapPasses::Fixed(const PassTemplates& templates) {
    MapLines lines = Lines();
    if (!diagnosticMode_) {
        // The fix pass reads what the map holds by now: the structure pass's bytes, which
        // are its text when that is all ASCII, and then split where its lines end.
        if (structured_.data() == text_.data() && !ends_.lineEndInside) {
            LinesAt(text_, ends_.ends, currentLines_);
        } else {
            SplitLines(codePage_->Decode(structured_, current_), currentLines_);
        }
        lines = currentLines_;
    }
    FixPass(templates, lines, fixed_);
    return codePage_->Encode(fixed_, fixedEncoded_);
}

}  // namespace galemend
