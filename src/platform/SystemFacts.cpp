#include "platform/SystemFacts.h"

#include <cstddef>
#include <cstdint>

#include "platform/FileSystem.h"

namespace galemend {

namespace {

constexpr std::uint32_t kWin32s = 0;
constexpr std::uint32_t kWindows9x = 1;
constexpr std::uint32_t kWindowsNt = 2;

std::string NineXName(std::uint32_t minor) {
    // The 9x family is told apart by its minor number alone.
    switch (minor) {
        case 0:
            return "95";
        case 90:
            return "ME";
        default:
            return "98";
    }
}

std::string NtName(std::uint32_t major, std::uint32_t minor) {
    switch (major) {
        case 3:
            switch (minor) {
                case 0:
                    return "NT3";
                case 1:
                    return "NT3.1";
                case 5:
                    return "NT3.5";
                case 51:
                    return "NT3.51";
                default:
                    return "";
            }
        case 4:
            return "NT 4";
        case 5:
            switch (minor) {
                case 0:
                    return "Win2000";
                case 1:
                    return "WinXP";
                case 2:
                    return "WinXP x64 ";  // the trailing blank is part of the label
                default:
                    return "Winxp x64?";
            }
        case 6:
            switch (minor) {
                case 0:
                    return "WinVista";
                case 1:
                    return "win7";
                default:
                    return "Win7+ x64?";
            }
        default:
            return "";
    }
}

bool IsNtRelease(const SystemProbe& probe, std::uint32_t major, std::uint32_t minor) {
    const VersionRecord version = probe.WindowsVersion();
    return version.succeeded && version.platformId == kWindowsNt && version.major == major &&
           version.minor == minor;
}

}  // namespace

std::string GetWindowsShortName(const SystemProbe& probe) {
    const VersionRecord version = probe.WindowsVersion();
    if (!version.succeeded) {
        return "";
    }
    switch (version.platformId) {
        case kWin32s:
            return "32s";
        case kWindows9x:
            return NineXName(version.minor);
        case kWindowsNt:
            return NtName(version.major, version.minor);
        default:
            return "";
    }
}

bool IsWindowsVista(const SystemProbe& probe) {
    return IsNtRelease(probe, 6, 0);
}

bool IsWindows7(const SystemProbe& probe) {
    return IsNtRelease(probe, 6, 1);
}

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

namespace {

constexpr std::uint32_t kCreateIfMissing = 0x8000;  // CSIDL_FLAG_CREATE
constexpr std::uint32_t kLocalAppData = 0x1C;       // CSIDL_LOCAL_APPDATA
constexpr std::uint32_t kPersonal = 0x05;           // CSIDL_PERSONAL

constexpr std::uint32_t kFound = 0;
constexpr std::uint32_t kFolderMissing = 1;             // S_FALSE
constexpr std::uint32_t kInvalidFolderId = 0x80070057;  // E_INVALIDARG

std::string FolderPath(const SystemProbe& probe, Host& host, std::uint32_t folderId) {
    const FolderPathAnswer answer = probe.SpecialFolderPath(folderId);
    // The status codes are tested in this order; only the two named ones are reported.
    if (answer.status == kInvalidFolderId) {
        host.ShowMessage("An invalid folder ID was specified");
        return "";
    }
    if (answer.status == kFound) {
        return answer.buffer.substr(0, answer.buffer.find('\0'));
    }
    if (answer.status == kFolderMissing) {
        host.ShowMessage("The folder does not exist");
    }
    return "";
}

}  // namespace

std::string GetLocalAppDataPath(const SystemProbe& probe, Host& host) {
    return FolderPath(probe, host, kLocalAppData | kCreateIfMissing);
}

std::string GetMyDocumentsPath(const SystemProbe& probe, Host& host) {
    return FolderPath(probe, host, kPersonal | kCreateIfMissing);
}

std::string App_Path(const SystemProbe& probe) {
    std::string folder = probe.ExecutableFolder();
    // Only a drive root ("C:\") comes with its backslash already.
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

namespace {

// The fixed file information is thirteen little-endian 32-bit words.
constexpr std::size_t kFixedFileInfoSize = 52;
constexpr std::size_t kProductVersionMs = 16;
constexpr std::size_t kProductVersionLs = 20;

std::uint32_t WordAt(const std::string& block, std::size_t offset) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        word |= static_cast<std::uint32_t>(static_cast<unsigned char>(block[offset + i]))
                << (8 * i);
    }
    return word;
}

std::string Halves(std::uint32_t word) {
    return std::to_string(word >> 16) + '.' + std::to_string(word & 0xFFFF);
}

}  // namespace

std::string GetFileVersionString(const SystemProbe& probe, const std::string& path) {
    const std::optional<std::string> block = probe.VersionRootBlock(path);
    if (!block || block->size() < kFixedFileInfoSize) {
        return "";
    }
    return Halves(WordAt(*block, kProductVersionMs)) + '.' +
           Halves(WordAt(*block, kProductVersionLs));
}

}  // namespace galemend
