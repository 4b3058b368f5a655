#include "linux/prefixes/PrefixSearch.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "linux/prefixes/GameKeys.h"
#include "linux/prefixes/SteamLibraries.h"
#include "text/Text.h"

namespace galemend {

namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

bool IsWinePrefix(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / "system.reg", error) &&
           fs::is_directory(folder / "drive_c", error);
}

// What Proton leaves in the folder it keeps a prefix for (compatdata/<app id>, or umu's
// prefix, whose pfx links back to itself): the lock it takes while it runs and the record of
// the Proton that set the prefix up.
bool HoldsProtonFiles(const fs::path& compatData) {
    return Exists(compatData / "pfx.lock") || Exists(compatData / "config_info");
}

// The Proton that last ran the prefix: config_info's second line is that Proton's fonts
// folder, <Proton>/files/share/fonts/ (dist/ in older ones). Empty when not recorded.
std::string ProtonOf(const fs::path& compatData) {
    std::ifstream file(compatData / "config_info");
    std::string version, fonts;
    if (!std::getline(file, version) || !std::getline(file, fonts)) {
        return {};
    }
    fs::path path = fs::path(fonts).lexically_normal();
    if (path.filename().empty()) {
        path = path.parent_path();
    }
    if (path.filename() != "fonts" || path.parent_path().filename() != "share") {
        return {};
    }
    return path.parent_path().parent_path().parent_path().string();
}

// The kind of prefix folder has, read from the path alone.
std::optional<GamePrefix> KindFromPath(const fs::path& prefix, const std::string& tool) {
    GamePrefix found;
    found.path = prefix.string();
    found.tool = tool;
    const fs::path compatData = prefix.parent_path();
    const fs::path compatFolder = compatData.parent_path();
    const std::string appId = compatData.filename().string();
    if (prefix.filename() == "pfx" &&
        EqualIgnoringCase(compatFolder.filename().string(), "compatdata") &&
        EqualIgnoringCase(compatFolder.parent_path().filename().string(), "steamapps") &&
        !appId.empty() &&
        std::all_of(appId.begin(), appId.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        // Proton writes pfx.lock once it has set the prefix up; before that it is unfinished.
        if (!Exists(compatData / "pfx.lock")) {
            return std::nullopt;
        }
        found.kind = PrefixKind::Proton;
        found.tool = "Steam";
        found.appId = appId;
        found.library = compatFolder.parent_path().parent_path().string();
        found.compatData = compatData.string();
    } else if (prefix.filename() == "pfx" && HoldsProtonFiles(compatData)) {
        found.kind = PrefixKind::Umu;
        found.compatData = compatData.string();
    } else if (HoldsProtonFiles(prefix)) {
        found.kind = PrefixKind::Umu;
        found.compatData = prefix.string();
    }
    if (!found.compatData.empty() && found.kind == PrefixKind::Umu) {
        found.proton = ProtonOf(found.compatData);
    }
    return found;
}

// The prefix's kind is decided by the path it was found at. A path that shows less of Proton
// than the links lead to takes what is behind them: no road may hand Steam's prefix to another
// runner, or a Proton prefix to another Wine.
std::optional<GamePrefix> Describe(const fs::path& prefix, const std::string& tool) {
    if (!IsWinePrefix(prefix)) {
        return std::nullopt;
    }
    std::optional<GamePrefix> found = KindFromPath(prefix, tool);
    const std::string canonical = CanonicalPath(prefix.string());
    if (found && found->kind != PrefixKind::Proton && canonical != prefix.string()) {
        std::optional<GamePrefix> behind = KindFromPath(canonical, tool);
        if (!behind) {
            // Steam's prefix that Proton has not finished: nothing may run there yet.
            if (found->kind == PrefixKind::Wine) {
                found = std::nullopt;
            }
        } else if (behind->kind < found->kind) {
            behind->path = prefix.string();
            found = behind;
        }
    }
    return found;
}

// The sorted entries of a folder, as paths.
std::vector<fs::path> Entries(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory(error)) {
            entries.push_back(it->path());
        }
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

class Search {
  public:
    explicit Search(SearchResult& result) : result_(result) {}

    // A folder that may be a prefix, or (Heroic, Proton's compatdata) hold one as pfx.
    void Consider(const fs::path& folder, const std::string& tool) {
        if (folder.empty()) {
            return;
        }
        const fs::path prefix = IsWinePrefix(folder) ? folder : folder / "pfx";
        if (!IsWinePrefix(prefix) || !seen_.insert(CanonicalPath(prefix.string())).second) {
            return;
        }
        const GameKeys keys = ReadGameKeys(prefix.string());
        if (keys.keysOutOfView) {
            result_.notes.push_back(
                prefix.string() +
                " has the game's registry keys only under Software\\, where "
                "galemend3.exe on 64-bit Windows does not look (it reads "
                "Software\\Wow6432Node\\): reinstall the game there to convert its maps");
        }
        if (keys.editions.empty()) {
            return;
        }
        std::optional<GamePrefix> found = Describe(prefix, tool);
        if (!found) {
            result_.notes.push_back(prefix.string() +
                                    " holds the game, but Proton has not finished setting it up "
                                    "(no pfx.lock beside it): start the game once from Steam");
            return;
        }
        found->editions = keys.editions;
        result_.prefixes.push_back(std::move(*found));
    }

    void SteamLibrary(const std::string& library) {
        if (libraries_.insert(CanonicalPath(library)).second) {
            for (const std::string& prefix : CompatDataPrefixes(library)) {
                Consider(prefix, "Steam");
            }
        }
    }

  private:
    SearchResult& result_;
    std::set<std::string> seen_, libraries_;
};

}  // namespace

SearchPlaces SearchPlaces::OfThisProcess() {
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    };
    SearchPlaces places{variable("HOME"), variable("WINEPREFIX"), variable("STEAM_DIR"),
                        variable("XDG_DATA_HOME")};
    if (places.xdgDataHome.empty()) {
        places.xdgDataHome = places.home + "/.local/share";
    }
    return places;
}

std::string CanonicalPath(const std::string& path) {
    std::error_code error;
    const fs::path canonical = fs::canonical(path, error);
    return error ? path : canonical.string();
}

SearchResult FindGamePrefixes(const SearchPlaces& places) {
    SearchResult result;
    Search search(result);
    for (const std::string& root :
         SteamRootCandidates({places.home, places.steamDir, places.xdgDataHome})) {
        const std::string steamapps = ChildIgnoringCase(root, "steamapps");
        if (steamapps.empty()) {
            continue;
        }
        search.SteamLibrary(root);
        for (const fs::path& vdf : {fs::path(steamapps) / "libraryfolders.vdf",
                                    fs::path(root) / "config/libraryfolders.vdf"}) {
            for (const std::string& library : LibrariesNamedIn(vdf.string(), result.notes)) {
                search.SteamLibrary(library);
            }
        }
    }
    const fs::path home = places.home, games = home / "Games";
    search.Consider(places.winePrefix, "Wine");
    search.Consider(home / ".wine", "Wine");
    for (const fs::path& folder : Entries(games / "Heroic/Prefixes")) {
        search.Consider(folder, "Heroic");
    }
    for (const fs::path& folder : Entries(games / "Heroic/Prefixes/default")) {
        search.Consider(folder, "Heroic");
    }
    for (const fs::path& folder : Entries(games / "umu")) {
        search.Consider(folder, "umu");
    }
    // Lutris installs a game in ~/Games/<game>, or ~/Games/<store>/<game> from a store.
    for (const fs::path& folder : Entries(games)) {
        if (folder.filename() == "Heroic" || folder.filename() == "umu") {
            continue;
        }
        if (IsWinePrefix(folder)) {
            search.Consider(folder, "Lutris");
            continue;
        }
        for (const fs::path& inner : Entries(folder)) {
            search.Consider(inner, "Lutris");
        }
    }
    for (const fs::path& bottles :
         {fs::path(places.xdgDataHome) / "bottles/bottles",
          home / ".var/app/com.usebottles.bottles/data/bottles/bottles"}) {
        for (const fs::path& folder : Entries(bottles)) {
            search.Consider(folder, "Bottles");
        }
    }
    return result;
}

std::optional<GamePrefix> DescribePrefix(const std::string& folder, const std::string& tool) {
    const fs::path path = fs::absolute(folder).lexically_normal();
    const fs::path prefix = IsWinePrefix(path) ? path : path / "pfx";
    std::optional<GamePrefix> found = Describe(prefix, tool);
    if (found) {
        found->editions = ReadGameKeys(found->path).editions;
    }
    return found;
}

const char* KindName(PrefixKind kind) {
    switch (kind) {
        case PrefixKind::Proton:
            return "Proton";
        case PrefixKind::Umu:
            return "umu";
        case PrefixKind::Wine:
            break;
    }
    return "Wine";
}

std::string ListEntry(const GamePrefix& prefix) {
    std::string head = KindName(prefix.kind);
    if (prefix.kind == PrefixKind::Proton) {
        head += ", Steam app " + prefix.appId + ", library " + prefix.library;
    } else {
        if (prefix.tool != "Wine") {
            head += " (" + prefix.tool + ")";
        }
        if (prefix.kind == PrefixKind::Umu) {
            head += prefix.proton.empty() ? ", Proton not recorded" : ", Proton " + prefix.proton;
        }
    }
    return head + "\n  " + prefix.path +
           "\n  editions: " + (prefix.editions.empty() ? "none found" : prefix.editions) + "\n";
}

std::string PlacesLookedIn(const SearchPlaces& places) {
    std::string text = "  Steam: compatdata/<app id>/pfx (with pfx.lock) in every library of\n";
    for (const std::string& root :
         SteamRootCandidates({places.home, places.steamDir, places.xdgDataHome})) {
        text += "    " + root + "\n";
    }
    const std::string games = places.home + "/Games";
    text += "  Wine: $WINEPREFIX (" + (places.winePrefix.empty() ? "not set" : places.winePrefix) +
            "), " + places.home + "/.wine\n";
    text += "  Heroic: " + games + "/Heroic/Prefixes/*, " + games + "/Heroic/Prefixes/default/*\n";
    text += "  umu: " + games + "/umu/*\n";
    text += "  Lutris: " + games + "/*, " + games + "/*/*\n";
    text += "  Bottles: " + places.xdgDataHome + "/bottles/bottles/*, " + places.home +
            "/.var/app/com.usebottles.bottles/data/bottles/bottles/*\n";
    return text;
}

}  // namespace galemend
