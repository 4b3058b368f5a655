#include "ui/win32/DriveEntries.h"

#include <windows.h>

#include <cctype>
#include <cstring>

#include "ui/win32/CurrentFolder.h"

namespace galemend {

namespace {

std::string LowerDrive(const char* root) {
    return {static_cast<char>(std::tolower(static_cast<unsigned char>(root[0]))), ':'};
}

std::string VolumeLabel(const char* root) {
    if (::GetDriveTypeA(root) != DRIVE_FIXED) {
        return {};  // asking a removable or network drive may wait or fail
    }
    char label[MAX_PATH + 1] = {};
    if (!::GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr,
                                 0)) {
        return {};
    }
    return label;
}

}  // namespace

std::vector<std::string> DriveEntries() {
    std::string roots(::GetLogicalDriveStringsA(0, nullptr) + 1, '\0');
    roots.resize(::GetLogicalDriveStringsA(static_cast<DWORD>(roots.size()), roots.data()));
    std::vector<std::string> entries;
    for (const char* root = roots.c_str(); *root != '\0'; root += std::strlen(root) + 1) {
        std::string entry = LowerDrive(root);
        if (const std::string label = VolumeLabel(root); !label.empty()) {
            entry += " [" + label + "]";
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string CurrentDrive() {
    const std::string folder = CurrentFolder();
    return folder.size() >= 2 && folder[1] == ':' ? LowerDrive(folder.c_str()) : std::string();
}

}  // namespace galemend
