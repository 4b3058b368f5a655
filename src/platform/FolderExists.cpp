#include "platform/FolderExists.h"

namespace galemend {

bool FolderExists(const FileSystem& fileSystem, const std::string& path) {
    return !fileSystem.FirstMatch(path, EntryKinds::FilesAndFolders).empty();
}

}  // namespace galemend
