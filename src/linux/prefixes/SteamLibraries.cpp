#include "linux/prefixes/SteamLibraries.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <variant>

#include "linux/prefixes/KeyValues.h"
#include "text/Text.h"

namespace galemend {

namespace {

namespace fs = std::filesystem;

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A folder's entries, sorted so that the search goes the same way on every machine.
std::vector<std::string> EntryNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::vector<std::string> SteamRootCandidates(const SteamPlaces& places) {
    std::vector<std::string> roots;
    if (!places.steamDir.empty()) {
        roots.push_back(places.steamDir);
    }
    const fs::path home = places.home;
    // The installs before the ~/.steam links to them, so that a prefix is named by the path
    // of its install.
    for (const fs::path& root : {fs::path(places.xdgDataHome) / "Steam",
                                 home / ".var/app/com.valvesoftware.Steam/.local/share/Steam",
                                 home / ".var/app/com.valvesoftware.Steam/data/Steam",
                                 home / "snap/steam/common/.local/share/Steam",
                                 home / ".steam/root", home / ".steam/steam"}) {
        roots.push_back(root.string());
    }
    return roots;
}

std::string ChildIgnoringCase(const std::string& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(fs::path(folder) / name, error)) {
        return (fs::path(folder) / name).string();
    }
    for (const std::string& entry : EntryNames(folder)) {
        if (EqualIgnoringCase(entry, name)) {
            return (fs::path(folder) / entry).string();
        }
    }
    return {};
}

std::vector<std::string> LibrariesNamedIn(const std::string& vdfFile,
                                          std::vector<std::string>& problems) {
    std::ifstream file(vdfFile, std::ios::binary);
    if (!file) {
        return {};
    }
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    const auto parsed = ParseKeyValues(text);
    if (const auto* error = std::get_if<KeyValuesError>(&parsed)) {
        problems.push_back(vdfFile + ", line " + std::to_string(error->line) + ": " +
                           error->reason + "; the libraries it names were not searched");
        return {};
    }
    std::vector<std::string> libraries;
    for (const KeyValue& top : std::get<std::vector<KeyValue>>(parsed)) {
        if (!top.section || !EqualIgnoringCase(top.key, "libraryfolders")) {
            continue;
        }
        // Libraries are the entries numbered 0, 1, ...; the others are Steam's statistics.
        for (const KeyValue& entry : top.children) {
            if (!AllDigits(entry.key)) {
                continue;
            }
            if (!entry.section) {
                libraries.push_back(entry.value);
            } else if (const KeyValue* path = entry.Find("path"); path && !path->section) {
                libraries.push_back(path->value);
            }
        }
    }
    std::erase(libraries, std::string{});
    return libraries;
}

std::vector<std::string> CompatDataPrefixes(const std::string& library) {
    const std::string steamapps = ChildIgnoringCase(library, "steamapps");
    const std::string compatdata =
        steamapps.empty() ? "" : ChildIgnoringCase(steamapps, "compatdata");
    std::vector<std::string> prefixes;
    if (compatdata.empty()) {
        return prefixes;
    }
    for (const std::string& appId : EntryNames(compatdata)) {
        if (AllDigits(appId)) {
            prefixes.push_back((fs::path(compatdata) / appId / "pfx").string());
        }
    }
    return prefixes;
}

}  // namespace galemend
