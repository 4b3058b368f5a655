#pragma once

#include <string>
#include <string_view>

#include "conversion/Rewriting.h"
#include "conversion/Templates.h"
#include "text/CodePage.h"
#include "text/Text.h"

namespace galemend {

// The passes of one map, from its text to the bytes to write, with the buffers they reuse
// from map to map, so that converting a map allocates next to nothing once they have grown
// to the size of the largest map.
class MapPasses {
  public:
    // Takes a map's text, which must stay as it is while its passes' bytes are used.
    void Start(const CodePage& codePage, std::string_view mapText, bool diagnosticMode);

    // The structure pass's bytes. Throws ConversionError as the pass does.
    std::string_view Structured(const PassTemplates& templates);
    // The fix pass's bytes, after Structured: it reads the structure pass's bytes, or in
    // diagnostic mode the map's own lines.
    std::string_view Fixed(const PassTemplates& templates);

  private:
    MapLines Lines();

    const CodePage* codePage_ = nullptr;
    std::string_view mapText_;
    bool diagnosticMode_ = false;
    bool split_ = false;
    LineViews mapLines_;
    std::string text_;     // the structure pass's text
    LineEnds ends_;        // where its lines end
    std::string encoded_;  // its bytes, where the text is not all ASCII
    std::string_view structured_;
    std::string current_;  // those bytes decoded again, where not ASCII
    LineViews currentLines_;
    std::string fixed_;         // the fix pass's text
    std::string fixedEncoded_;  // its bytes, where the text is not all ASCII
};

}  // namespace galemend
