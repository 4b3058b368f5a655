#include "ui/win32/FontFaces.h"

#include <windows.h>

#include <cstring>

#include "ui/win32/UniqueHandles.h"

namespace galemend {

namespace {

int CALLBACK NoteFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;  // one match is enough
}

bool FaceInstalled(HDC dc, const std::string& face) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    if (face.size() >= sizeof wanted.lfFaceName) {
        return false;
    }
    std::memcpy(wanted.lfFaceName, face.c_str(), face.size() + 1);
    bool found = false;
    ::EnumFontFamiliesExA(dc, &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
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

}  // namespace galemend
