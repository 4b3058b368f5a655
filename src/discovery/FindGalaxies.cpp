#include "discovery/FindGalaxies.h"

#include <optional>

#include "platform/RuntimeError.h"
#include "text/Numbers.h"
#include "text/Text.h"

namespace galemend {

namespace {

// Why a folder that is there could not be listed, for its NOT SEARCHED line.
std::string NotSearchedReason(const RuntimeError& error) {
    switch (error.Code()) {
        case ErrorNumber::PermissionDenied:
            return "access denied";
        case ErrorNumber::BadFileName:
            return "the system refuses its name, or its path is too long";
        case ErrorNumber::DiskNotReady:
            return "the drive is not ready";
        case ErrorNumber::DeviceUnavailable:
            return "the drive is unavailable";
        default:
            return "the folder cannot be opened (" + error.Text() + ")";
    }
}

// The walk's lists and the folders it has passed over so far.
struct Walker {
    const FolderWalk& walk;
    std::vector<NotSearchedFolder> passedOver;

    // Records a listing failure; a folder that is not there is passed over in silence.
    void PassOver(const std::string& folder, const RuntimeError& error) {
        if (error.Code() != ErrorNumber::PathNotFound) {
            passedOver.push_back({NormalFolderPath(folder), NotSearchedReason(error)});
        }
    }

    // Moves Dir1 to the folder; false, with Dir1 where it was, when it cannot be listed.
    bool EnterFolder(const std::string& folder) {
        try {
            walk.Dir1.SetPath(folder);
        } catch (const RuntimeError& error) {
            PassOver(folder, error);
            return false;
        }
        return true;
    }

    // Appends the matching files of the folder, keeping the empty entry last.
    void CollectFiles(const std::string& pattern, const std::string& folder,
                      std::vector<std::string>& list) {
        FileList& file1 = walk.File1;
        try {
            if (file1.Pattern() != pattern) {
                file1.SetPattern(pattern);
            }
            file1.SetPath(folder);
        } catch (const RuntimeError& error) {
            PassOver(folder, error);
            return;
        }
        const int count = file1.ListCount();
        for (int j = 0; j < count; ++j) {
            list.back() = PathInFolder(folder, file1.List(j));
            list.emplace_back();
        }
    }

    // Walks one folder: the trees of its subfolders, then its own files, with Dir1 back on
    // it when its files are listed. The subfolders are those listed on arrival, so a folder
    // that appears or goes during the walk neither shifts nor repeats its siblings, and Dir1
    // need not be listed again after each subfolder. Gives the folder's path as Dir1 shows
    // it, or nothing when it could not be entered.
    std::optional<std::string> Walk(const std::string& pattern, const std::string& folder,
                                    std::vector<std::string>& list) {
        if (!EnterFolder(PathInFolder(folder, ""))) {
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
            Walk(pattern, subfolder, list);
        }
        // Dir1 was moved by the subfolders' walks, or by a click while events were processed.
        if (walk.Dir1.Path() != here && !EnterFolder(here)) {
            return here;  // its files went with it, or cannot be listed now
        }
        CollectFiles(pattern, here, list);
        return here;
    }
};

}  // namespace

std::vector<NotSearchedFolder> FindFilesRecursive(const std::string& pattern,
                                                  const std::string& folder,
                                                  std::vector<std::string>& list,
                                                  const FolderWalk& walk) {
    if (folder.empty()) {
        return {};
    }
    Walker walker{walk, {}};
    if (const auto walked = walker.Walk(pattern, folder, list)) {
        // Only where Dir1 rests: a parent that cannot be listed was never to be searched.
        try {
            walk.Dir1.SetPath(ParentFolder(*walked));
        } catch (const RuntimeError&) {
        }
    }
    return std::move(walker.passedOver);
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
    state.notSearched.clear();
    for (const std::string& start : pathlist) {
        for (auto& folder : FindFilesRecursive(pattern, start, state.galaxyList, walk)) {
            state.notSearched.push_back(std::move(folder));
        }
    }
    const size_t found = state.galaxyList.size() - 1;

    controls.Label8.SetCaption(SignedNumberText(LeadingNumber(controls.Label8.Caption()) + 1));

    std::string names;
    for (size_t n = 0; n < found; ++n) {
        names += FileNamePart(state.galaxyList[n]);
        names += "\r\n";
    }
    for (const NotSearchedFolder& folder : state.notSearched) {
        AppendLine(names, std::string(kNotSearchedMark) + folder.path + " - " + folder.reason);
    }
    controls.Text1.AppendText(names);

    controls.Label6.SetCaption(PlainNumberText(static_cast<double>(found)));
    return true;
}

}  // namespace galemend
