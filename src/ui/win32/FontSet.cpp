#include "ui/win32/FontSet.h"

#include <algorithm>
#include <stdexcept>

#include "ui/win32/FontFaces.h"
#include "ui/win32/Twips.h"

namespace galemend {

FontSet::Entry& FontSet::Find(const FontDesign& design) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.design == design; });
    if (found != entries_.end()) {
        return *found;
    }
    std::string face = InstalledFace(design.face);
    UniqueFont font(::CreateFontA(-PointsToPixels(design.size, dpi_), 0, 0, 0,
                                  design.bold ? FW_BOLD : FW_NORMAL, design.italic, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str()));
    if (!font) {
        throw std::runtime_error("cannot create the font " + face);
    }
    entries_.push_back({design, std::move(face), std::move(font)});
    return entries_.back();
}

HFONT FontSet::Get(const FontDesign& design) {
    return Find(design).font.get();
}

std::string FontSet::FaceOf(const FontDesign& design) {
    return Find(design).face;
}

}  // namespace galemend
