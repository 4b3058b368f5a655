#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/win32/FontDesign.h"
#include "ui/win32/UniqueHandles.h"

namespace galemend {

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
