#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace galemend {

// The faces to try for a designed face, best first: the designed face itself, then faces
// of the same build (Windows' own, then those Wine and Linux bring).
std::vector<std::string> CandidateFaces(std::string_view designed);

// The first candidate installed on this system; the designed face when none is, leaving
// the choice to the font mapper.
std::string InstalledFace(std::string_view designed);

}  // namespace galemend
