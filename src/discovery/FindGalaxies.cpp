#include "discovery/FindGalaxies.h"

#include "conversion/LeadingNumber.h"
#include "conversion/NumberText.h"
#include "conversion/PathNames.h"
#include "discovery/FindFilesRecursive.h"

namespace galemend {

bool FindGalaxies(const std::array<std::string, 2>& pathlist, SearchState& state,
                  const SearchControls& controls) {
    const auto running = controls.busy.TryStart();
    if (!running) {
        return false;
    }
    const std::string pattern(kGalaxyPattern);
    const FolderWalk walk{controls.Dir1, controls.File1, controls.pendingEvents};

    state.galaxyList.assign(1, std::string());
    for (const std::string& start : pathlist) {
        FindFilesRecursive(pattern, start, state.galaxyList, walk);
    }
    const size_t found = state.galaxyList.size() - 1;

    controls.Label8.SetCaption(SignedNumberText(LeadingNumber(controls.Label8.Caption()) + 1));

    std::string names;
    for (size_t n = 0; n < found; ++n) {
        names += FileNamePart(state.galaxyList[n]);
        names += "\r\n";
    }
    controls.Text1.AppendText(names);

    controls.Label6.SetCaption(PlainNumberText(static_cast<double>(found)));
    return true;
}

}  // namespace galemend
