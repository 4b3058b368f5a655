#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/WindowDesign.h"
#include "ui/win32/UniqueHandles.h"

namespace galemend {

// The faces to try for a designed face, best first: the designed face itself, then faces
// of the same build (Windows' own, then those Wine and Linux bring).
std::vector<std::string> CandidateFaces(std::string_view designed);

// The first candidate installed on this system; the designed face when none is, leaving
// the choice to the font mapper.
std::string InstalledFace(std::string_view designed);

// The fonts of the window, one per distinct design, made at the system's dots per inch from
// the nearest installed face. They live as long as the set, which must outlive the controls
// that use them.
class FontSet {
  public:
    explicit FontSet(int dpi) : dpi_(dpi) {}

    HFONT Get(const FontDesign& design);
    // The face actually asked for the design.
    std::string FaceOf(const FontDesign& design);

  private:
    struct Entry {
        FontDesign design;
        std::string face;
        UniqueFont font;
    };
    Entry& Find(const FontDesign& design);

    int dpi_;
    std::vector<Entry> entries_;
};

}  // namespace galemend
