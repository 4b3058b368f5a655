#include "platform/WindowsVersion.h"

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

}  // namespace galemend
