#include "ui/win32/CurrentFolder.h"

#include <windows.h>

#include "platform/RuntimeError.h"

namespace galemend {

std::string CurrentFolder() {
    std::string folder(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            ::GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data());
        if (length < folder.size()) {
            folder.resize(length);  // 0 on failure
            return folder;
        }
        folder.assign(length, '\0');  // too small: length is the room needed
    }
}

void ShowCurrentFolder(FolderList& dir1) {
    const std::string folder = CurrentFolder();
    if (folder.empty()) {
        return;
    }
    try {
        dir1.SetPath(folder);
    } catch (const RuntimeError&) {
        // Nothing to show; the list stays empty until a folder is chosen.
    }
}

}  // namespace galemend
