#include "startup/EditionFolders.h"

#include "platform/FolderExists.h"

namespace galemend {

bool CountsAsFound(const FileSystem& fs, const std::string& candidate) {
    return candidate.size() > 4 && FolderExists(fs, candidate);
}

std::string ChosenBaseFolder(const FileSystem& fs, const InstallationState& state) {
    std::string folder;
    if (CountsAsFound(fs, state.corvRegPath)) {
        folder = state.corvRegPath;
    }
    if (CountsAsFound(fs, state.concordRegPath)) {
        folder = state.concordRegPath;
    }
    return folder;
}

}  // namespace galemend
