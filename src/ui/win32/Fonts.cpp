#include "ui/win32/Fonts.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <stdexcept>

#include "platform/win32/Win32Support.h"
#include "ui/WindowDesign.h"
#include "ui/win32/UniqueHandles.h"

namespace galemend {

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one match is enough
}

bool FaceInstalled(HDC dc, const std::string& face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    const std::wstring name = WideFromUtf8(face);
    if (name.size() >= LF_FACESIZE) {
        return false;
    }
    std::wmemcpy(wanted.lfFaceName, name.c_str(), name.size() + 1);
    bool found = false;
    ::EnumFontFamiliesExW(dc, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

std::vector<std::string> CandidateFaces(std::string_view designed) {
    std::vector<std::string> faces{std::string(designed)};
    // Stand-ins no wider than the designed face where possible, so that the captions keep
    // fitting their designed boxes.
    if (designed == "Arial Narrow") {
        faces.insert(faces.end(), {"Liberation Sans Narrow", "DejaVu Sans Condensed", "Tahoma",
                                   "MS Sans Serif", "Arial"});
    } else if (designed == "MS Sans Serif") {
        faces.insert(faces.end(), {"Microsoft Sans Serif", "Tahoma", "Arial", "Liberation Sans",
                                   "DejaVu Sans Condensed"});
    }
    return faces;
}

std::string InstalledFace(std::string_view designed) {
    const WindowDc screen;
    for (const std::string& face : CandidateFaces(designed)) {
        if (FaceInstalled(screen.Get(), face)) {
            return face;
        }
    }
    return std::string(designed);
}

FontSet::Entry& FontSet::Find(const FontDesign& design) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.design == design; });
    if (found != entries_.end()) {
        return *found;
    }
    std::string face = InstalledFace(design.face);
    UniqueFont font(::CreateFontW(
        -PointsToPixels(design.size, dpi_), 0, 0, 0, design.bold ? FW_BOLD : FW_NORMAL,
        design.italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, WideFromUtf8(face).c_str()));
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
