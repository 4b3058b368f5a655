#include "platform/WindowsBitness.h"

#include "platform/FolderExists.h"

namespace galemend {

namespace {
constexpr std::uint32_t kWindowsNt = 2;
}  // namespace

bool Is64BitWindows(const SystemProbe& probe, const FileSystem& fileSystem,
                    const std::string& systemDrive) {
    const VersionRecord version = probe.WindowsVersion();
    if (!version.succeeded) {
        return false;
    }
    // The folder is looked at whatever the platform, and both answers must hold.
    const bool x86Folder = FolderExists(fileSystem, systemDrive + "\\program files (x86)\\.");
    return version.platformId == kWindowsNt && x86Folder;
}

}  // namespace galemend
