#pragma once

#include <string_view>

namespace galemend {

// A font as the window was designed with it.
struct FontDesign {
    std::string_view face;
    int size = 825;  // hundredths of a point
    bool bold = false;
    bool italic = false;

    friend bool operator==(const FontDesign&, const FontDesign&) = default;
};

// The window's own font, used by every control without a font of its own.
inline constexpr FontDesign kDefaultFont{"MS Sans Serif", 825, false, false};

}  // namespace galemend
