#include "linux/prefixes/GameKeys.h"

#include <filesystem>

#include "platform/FileSystem.h"
#include "platform/prefix/PrefixFileSystem.h"
#include "platform/prefix/WineRegistry.h"
#include "platform/prefix/WineVersion.h"
#include "startup/Editions.h"

namespace galemend {

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kWindowsNt = 2;
constexpr const char* kVendorKeys = "Brightforge\\Vantorhub\\";

// The Path value of the family's key under root, "" when there is none.
std::string PathValue(const WineRegistry& registry, const std::string& root, const char* family) {
    try {
        return registry.Read(
            "HKEY_LOCAL_MACHINE\\SOFTWARE\\" + root + kVendorKeys + family + "\\Path",
            [](const std::string& text) { return text; });
    } catch (const RegistryError&) {
        return {};
    }
}

}  // namespace

GameKeys ReadGameKeys(const std::string& prefix) {
    GameKeys keys;
    try {
        WineRegistry registry;
        registry.LoadFile((fs::path(prefix) / "system.reg").string(),
                          WineRegistry::Hive::LocalMachine);
        std::error_code error;
        if (fs::exists(fs::path(prefix) / "user.reg", error)) {
            registry.LoadFile((fs::path(prefix) / "user.reg").string(),
                              WineRegistry::Hive::CurrentUser);
        }
        const PrefixFileSystem disk(prefix);
        // As galemend3.exe decides it: Windows NT with a "Program Files (x86)" folder.
        const VersionRecord version = WineRegistryVersion(registry, "galemend3.exe");
        const bool wow64 =
            version.platformId == kWindowsNt && FolderExists(disk, "C:\\program files (x86)\\.");
        const std::string root = wow64 ? "Wow6432Node\\" : "";
        const auto found = [&](const char* family, bool baseRule) {
            const std::string folder = PathValue(registry, root, family) + "\\";
            return baseRule ? CountsAsFound(disk, folder)
                            : folder.size() > 3 && FolderExists(disk, folder);
        };
        const bool base = found("corv", true) || found("corvconcord", true);
        const bool sundering = found("corvsundering", false);
        keys.editions = base && sundering ? "corv/concord, sundering"
                        : base            ? "corv/concord"
                        : sundering       ? "sundering"
                                          : "";
        if (keys.editions.empty() && wow64) {
            for (const char* family : {"corv", "corvconcord", "corvsundering"}) {
                keys.keysOutOfView = keys.keysOutOfView || !PathValue(registry, "", family).empty();
            }
        }
    } catch (const std::runtime_error&) {
        // Unreadable registry files, a prefix without drives: no game galemend3.exe would find.
    }
    return keys;
}

}  // namespace galemend
