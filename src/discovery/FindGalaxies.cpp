#include "discovery/FindGalaxies.h"

#include <optional>

#include "platform/RuntimeError.h"
#include "text/Numbers.h"
#include "text/Text.h"

namespace galemend {

namespace {

// Moves Dir1 to the folder; false when the folder does not exist.
bool EnterFolder(FolderList& dir1, const std::string& folder) {
    try {
        dir1.SetPath(folder);
    } catch (const RuntimeError& error) {
        if (error.Code() == ErrorNumber::PathNotFound) {
            return false;
        }
        throw;
    }
    return true;
}

// Appends the matching files of the folder, keeping the empty entry last.
void CollectFiles(const std::string& pattern, const std::string& folder,
                  std::vector<std::string>& list, FileList& file1) {
    if (file1.Pattern() != pattern) {
        file1.SetPattern(pattern);
    }
    file1.SetPath(folder);
    const int count = file1.ListCount();
    for (int j = 0; j < count; ++j) {
        list.back() = PathInFolder(folder, file1.List(j));
        list.emplace_back();
    }
}

// Walks one folder: the trees of its subfolders, then its own files, with Dir1 back on it
// when its files are listed. The subfolders are those listed on arrival, so a folder that
// appears or goes during the walk neither shifts nor repeats its siblings, and Dir1 need
// not be listed again after each subfolder. Gives the folder's path as Dir1 shows it, or
// nothing when it does not exist.
std::optional<std::string> Walk(const std::string& pattern, const std::string& folder,
                                std::vector<std::string>& list, const FolderWalk& walk) {
    if (!EnterFolder(walk.Dir1, PathInFolder(folder, ""))) {
        return std::nullopt;
    }
    std::string here = walk.Dir1.Path();
    std::vector<std::string> subfolders;
    subfolders.reserve(static_cast<size_t>(walk.Dir1.ListCount()));
    for (int i = 0; i < walk.Dir1.ListCount(); ++i) {
        subfolders.push_back(walk.Dir1.List(i));
    }
    for (const std::string& subfolder : subfolders) {
        walk.host.ProcessPendingEvents();
        Walk(pattern, subfolder, list, walk);
    }
    // Dir1 was moved by the subfolders' walks, or by a click while events were processed.
    if (walk.Dir1.Path() != here && !EnterFolder(walk.Dir1, here)) {
        return here;  // gone during the walk: its files went with it
    }
    CollectFiles(pattern, here, list, walk.File1);
    return here;
}

}  // namespace

void FindFilesRecursive(const std::string& pattern, const std::string& folder,
                        std::vector<std::string>& list, const FolderWalk& walk) {
    if (folder.empty()) {
        return;
    }
    if (const auto walked = Walk(pattern, folder, list, walk)) {
        EnterFolder(walk.Dir1, ParentFolder(*walked));
    }
}

bool FindGalaxies(const std::array<std::string, 2>& pathlist, SearchState& state,
                  const SearchControls& controls) {
    const auto running = controls.busy.TryStart();
    if (!running) {
        return false;
    }
    const std::string pattern(kGalaxyPattern);
    const FolderWalk walk{controls.Dir1, controls.File1, controls.host};

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
