// The search for the game's prefixes in a fake home that holds every layout Steam, its
// Flatpak and Snap, Heroic, Lutris, umu, Bottles and plain Wine leave on a player's machine.
#include "linux/prefixes/PrefixSearch.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "linux/PrefixChoice.h"
#include "linux/prefixes/KeyValues.h"
#include "support/ScopedTempDir.h"

namespace galemend::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class FakeHome {
  public:
    fs::path Home() const { return dir_.Host(); }
    fs::path operator/(const std::string& relative) const { return dir_.Host() / relative; }

    SearchPlaces Places() const {
        return {Home().string(), "", "", (Home() / ".local/share").string()};
    }

    // A Wine prefix as wineboot leaves it, 64-bit unless told, with the game's keys under
    // root ("Wow6432Node\\" where galemend3.exe looks on 64-bit Windows) for each family.
    void Prefix(const fs::path& folder, const std::vector<std::string>& families,
                const std::string& root = "Wow6432Node\\\\", bool win64 = true) const {
        fs::create_directories(folder / "dosdevices");
        fs::create_directory_symlink("../drive_c", folder / "dosdevices/c:");
        std::string reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
        reg += win64 ? "#arch=win64\n" : "#arch=win32\n";
        if (win64) {
            fs::create_directories(folder / "drive_c/Program Files (x86)");
        }
        for (const std::string& family : families) {
            fs::create_directories(folder / "drive_c/Games" / family);
            reg += "\n[Software\\\\" + root + "Brightforge\\\\Vantorhub\\\\" + family +
                   "] 1733650000\n\"Path\"=\"C:\\\\Games\\\\" + family + "\"\n";
        }
        Write(folder / "system.reg", reg);
        fs::create_directories(folder / "drive_c/windows");
    }

    // What Proton leaves in the folder it keeps a prefix in: its lock and its record of the
    // Proton that set the prefix up.
    void ProtonFiles(const fs::path& compatData, const std::string& proton) const {
        Write(compatData / "pfx.lock", "");
        Write(compatData / "version", "9.0-200\n");
        Write(compatData / "config_info",
              "9.0-200\n" + proton + "/files/share/fonts/\n" + proton + "/files/lib/\n");
    }

    // umu's prefix: the prefix itself is Proton's folder, its pfx a link back to it.
    void UmuPrefix(const fs::path& folder, const std::vector<std::string>& families,
                   const std::string& proton) const {
        Prefix(folder, families);
        fs::create_directory_symlink(".", folder / "pfx");
        ProtonFiles(folder, proton);
    }

    void SteamPrefix(const fs::path& library, const std::string& appId,
                     const std::vector<std::string>& families, bool finished = true) const {
        const fs::path compatData = library / "steamapps/compatdata" / appId;
        Prefix(compatData / "pfx", families);
        if (finished) {
            ProtonFiles(compatData, (library / "steamapps/common/Proton 9.0").string());
        }
    }

  private:
    ScopedTempDir dir_;
};

std::string ListOf(const SearchResult& result) {
    std::string text;
    for (const GamePrefix& prefix : result.prefixes) {
        text += ListEntry(prefix);
    }
    return text;
}

// libraryfolders.vdf naming these libraries, in today's format or the one before.
std::string LibraryFolders(const std::vector<std::string>& paths, bool oldFormat) {
    KeyValue root{"libraryfolders", "", {}, true};
    if (oldFormat) {
        root.key = "LibraryFolders";
        root.children.push_back({"TimeNextStatsReport", "1733650000", {}, false});
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string number = std::to_string(oldFormat ? i + 1 : i);
        if (oldFormat) {
            root.children.push_back({number, paths[i], {}, false});
        } else {
            root.children.push_back(
                {number, "", {{"path", paths[i], {}, false}, {"apps", "", {}, true}}, true});
        }
    }
    return WriteKeyValues({root});
}

TEST(PrefixSearch, EveryLayoutIsFoundOnceAndClassifiedByThePathItWasFoundAt) {
    const FakeHome home;
    const fs::path steam = home / ".local/share/Steam";
    const fs::path sdCard = home / "SD \"card\"/SteamLibrary";
    const fs::path flatpakSteam = home / ".var/app/com.valvesoftware.Steam/.local/share/Steam";
    const fs::path moved = home / "Moved";
    const std::string ge =
        (home / ".local/share/Steam/compatibilitytools.d/GE-Proton9-20").string();

    // Native Steam, reached through the ~/.steam links too, naming a library whose path has a
    // quote in it (written \" in the file) and a compatdata folder that is a link elsewhere.
    home.SteamPrefix(steam, "2280", {"corv"});
    fs::create_directories(home / ".steam");
    fs::create_directory_symlink(steam, home / ".steam/steam");
    fs::create_directory_symlink(steam, home / ".steam/root");
    Write(steam / "steamapps/libraryfolders.vdf",
          LibraryFolders({steam.string(), sdCard.string()}, false));
    home.SteamPrefix(sdCard, "2280", {"corv"});
    home.SteamPrefix(moved, "2282", {"corvsundering"});
    fs::create_directory_symlink(moved / "steamapps/compatdata/2282",
                                 sdCard / "steamapps/compatdata/2282");
    // The Flatpak's Steam, with an old library list naming a library spelt SteamApps.
    home.SteamPrefix(flatpakSteam, "2283", {"corvconcord"});
    const fs::path oldLibrary = home / "OldLibrary";
    home.SteamPrefix(oldLibrary, "2284", {"corv"});
    fs::rename(oldLibrary / "steamapps", oldLibrary / "SteamApps");
    Write(flatpakSteam / "steamapps/libraryfolders.vdf",
          LibraryFolders({oldLibrary.string()}, true));
    // A Steam install named by STEAM_DIR; the Snap's Steam; one prefix Proton never
    // finished, one without the game.
    home.SteamPrefix(home / "Steam elsewhere", "2288", {"corv"});
    home.SteamPrefix(home / "snap/steam/common/.local/share/Steam", "2285", {"corv"});
    home.SteamPrefix(steam, "2286", {"corv"}, false);
    home.SteamPrefix(steam, "2287", {});

    // Plain Wine, and Lutris's own Wine reached by WINEPREFIX through a link as well.
    home.Prefix(home / ".wine", {"corvsundering"});
    home.Prefix(home / "Games/corvane-expanse", {"corv", "corvsundering"});
    fs::create_directory_symlink(home / "Games/corvane-expanse", home / "lutris-prefix");
    // Lutris from a store with GE-Proton through umu; Heroic with and without umu; umu's own.
    home.UmuPrefix(home / "Games/gog/corvane-expanse", {"corv"}, ge);
    home.UmuPrefix(home / "Games/Heroic/Prefixes/default/Corvane Expanse", {"corv"}, ge);
    home.Prefix(home / "Games/Heroic/Prefixes/default/Corvane Sundering/pfx", {"corvsundering"});
    home.ProtonFiles(home / "Games/Heroic/Prefixes/default/Corvane Sundering", ge);
    home.UmuPrefix(home / "Games/umu/umu-default", {"corvsundering"}, ge);
    home.Prefix(home / "Games/Heroic/Prefixes/Corvane Wine", {"corv"});
    // Bottles, native and Flatpak; a 32-bit bottle reads the keys under Software itself.
    home.Prefix(home / ".local/share/bottles/bottles/Corvane", {"corv"}, "", false);
    home.Prefix(home / ".var/app/com.usebottles.bottles/data/bottles/bottles/Corvane", {"corv"});
    // A 64-bit prefix with the keys where galemend3.exe does not look.
    home.Prefix(home / "Games/misplaced", {"corv"}, "");

    SearchPlaces places = home.Places();
    places.winePrefix = (home / "lutris-prefix").string();
    places.steamDir = (home / "Steam elsewhere").string();
    const SearchResult found = FindGamePrefixes(places);
    // <home> is the home, <ge> the Proton that umu's prefixes record.
    std::string expected = R"(Proton, Steam app 2288, library <home>/Steam elsewhere
  <home>/Steam elsewhere/steamapps/compatdata/2288/pfx
  editions: corv/concord
Proton, Steam app 2280, library <home>/.local/share/Steam
  <home>/.local/share/Steam/steamapps/compatdata/2280/pfx
  editions: corv/concord
Proton, Steam app 2280, library <home>/SD "card"/SteamLibrary
  <home>/SD "card"/SteamLibrary/steamapps/compatdata/2280/pfx
  editions: corv/concord
Proton, Steam app 2282, library <home>/SD "card"/SteamLibrary
  <home>/SD "card"/SteamLibrary/steamapps/compatdata/2282/pfx
  editions: sundering
Proton, Steam app 2283, library <home>/.var/app/com.valvesoftware.Steam/.local/share/Steam
  <home>/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/2283/pfx
  editions: corv/concord
Proton, Steam app 2284, library <home>/OldLibrary
  <home>/OldLibrary/SteamApps/compatdata/2284/pfx
  editions: corv/concord
Proton, Steam app 2285, library <home>/snap/steam/common/.local/share/Steam
  <home>/snap/steam/common/.local/share/Steam/steamapps/compatdata/2285/pfx
  editions: corv/concord
Wine
  <home>/lutris-prefix
  editions: corv/concord, sundering
Wine
  <home>/.wine
  editions: sundering
Wine (Heroic)
  <home>/Games/Heroic/Prefixes/Corvane Wine
  editions: corv/concord
umu (Heroic), Proton <ge>
  <home>/Games/Heroic/Prefixes/default/Corvane Expanse
  editions: corv/concord
umu (Heroic), Proton <ge>
  <home>/Games/Heroic/Prefixes/default/Corvane Sundering/pfx
  editions: sundering
umu (umu), Proton <ge>
  <home>/Games/umu/umu-default
  editions: sundering
umu (Lutris), Proton <ge>
  <home>/Games/gog/corvane-expanse
  editions: corv/concord
Wine (Bottles)
  <home>/.local/share/bottles/bottles/Corvane
  editions: corv/concord
Wine (Bottles)
  <home>/.var/app/com.usebottles.bottles/data/bottles/bottles/Corvane
  editions: corv/concord
)";
    using Mark = std::pair<std::string, std::string>;
    for (const auto& [mark, text] : {Mark{"<home>", home.Home().string()}, Mark{"<ge>", ge}}) {
        for (size_t at = 0; (at = expected.find(mark, at)) != std::string::npos;) {
            expected.replace(at, mark.size(), text);
            at += text.size();
        }
    }
    EXPECT_EQ(ListOf(found), expected);
    EXPECT_THAT(found.notes,
                ElementsAre(HasSubstr("compatdata/2286/pfx holds the game, but Proton has not "
                                      "finished"),
                            HasSubstr("Games/misplaced has the game's registry keys only under "
                                      "Software\\")));
    // The compatdata link's prefix knows where Proton keeps its lock: beside it, by its path.
    EXPECT_EQ(found.prefixes[3].compatData, (sdCard / "steamapps/compatdata/2282").string());
}

TEST(PrefixSearch, APrefixNamedByThePlayerIsDescribedByItsOwnPathYetNeverTakenForPlainWine) {
    const FakeHome home;
    const fs::path library = home / "Library";
    home.SteamPrefix(library, "2280", {"corv"});
    // Named by its compatdata folder: the prefix is its pfx.
    const auto named = DescribePrefix((library / "steamapps/compatdata/2280").string(), "Wine");
    ASSERT_TRUE(named);
    EXPECT_EQ(named->kind, PrefixKind::Proton);
    EXPECT_EQ(named->path, (library / "steamapps/compatdata/2280/pfx").string());
    EXPECT_EQ(named->editions, "corv/concord");

    // Reached by a link whose own path looks like plain Wine, it is still Proton's.
    fs::create_directory_symlink(library / "steamapps/compatdata/2280/pfx", home / "my-prefix");
    const auto linked = DescribePrefix((home / "my-prefix").string(), "Wine");
    ASSERT_TRUE(linked);
    EXPECT_EQ(linked->kind, PrefixKind::Proton);
    EXPECT_EQ(linked->appId, "2280");
    EXPECT_EQ(linked->path, (home / "my-prefix").string());

    // A link to its compatdata folder leads to Steam's prefix, not to one for umu-run.
    fs::create_directory_symlink(library / "steamapps/compatdata/2280", home / "compat-link");
    const auto compat = DescribePrefix((home / "compat-link").string(), "Wine");
    ASSERT_TRUE(compat);
    EXPECT_EQ(compat->kind, PrefixKind::Proton);
    EXPECT_EQ(compat->path, (home / "compat-link/pfx").string());

    // umu's Proton is the one config_info records; without the record it is unknown.
    home.UmuPrefix(home / "Games/umu/x", {}, "/opt/GE-Proton9-20");
    const auto umu = DescribePrefix((home / "Games/umu/x").string(), "umu");
    ASSERT_TRUE(umu);
    EXPECT_EQ(umu->kind, PrefixKind::Umu);
    EXPECT_EQ(umu->compatData, (home / "Games/umu/x").string());
    EXPECT_EQ(umu->proton, "/opt/GE-Proton9-20");
    fs::remove(home / "Games/umu/x/config_info");
    EXPECT_EQ(DescribePrefix((home / "Games/umu/x").string(), "umu")->proton, "");

    EXPECT_FALSE(DescribePrefix((home / "nowhere").string(), "Wine"));
}

TEST(PrefixChoice, TheCommandLineChoosesOnePrefixOrSaysWhyNot) {
    const FakeHome home;
    home.SteamPrefix(home / ".local/share/Steam", "2280", {"corv"});
    home.SteamPrefix(home / "Library", "2280", {"corv"});
    Write(home / ".local/share/Steam/steamapps/libraryfolders.vdf",
          LibraryFolders({(home / "Library").string()}, false));
    const SearchResult found = FindGamePrefixes(home.Places());
    ASSERT_EQ(found.prefixes.size(), 2u);
    std::string said;
    const auto choose = [&](const NativeOptions& options) {
        std::ostringstream err;
        const std::optional<GamePrefix> chosen = ChoosePrefix(options, found, home.Places(), err);
        said = err.str();
        return chosen;
    };
    // One app with a prefix in two libraries: --appid cannot tell them apart, --prefix can.
    NativeOptions options;
    options.appId = "2280";
    EXPECT_FALSE(choose(options));
    EXPECT_THAT(said, HasSubstr("Steam app 2280 has a prefix in several libraries"));
    EXPECT_FALSE(choose({}));
    EXPECT_THAT(said, HasSubstr("several prefixes hold Corvane Expanse"));
    // Named through a link, it is the search's prefix: Proton's, with its app and library.
    fs::create_directory_symlink(home / "Library/steamapps/compatdata/2280", home / "game");
    options = {};
    options.prefix = (home / "game").string();
    const std::optional<GamePrefix> named = choose(options);
    ASSERT_TRUE(named);
    EXPECT_EQ(named->kind, PrefixKind::Proton);
    EXPECT_EQ(named->library, (home / "Library").string());
}

TEST(PrefixSearch, ALibraryListThatIsNoKeyValuesTextIsNamedAndTheRestStillSearched) {
    const FakeHome home;
    const fs::path steam = home / ".local/share/Steam";
    home.SteamPrefix(steam, "2280", {"corv"});
    Write(steam / "steamapps/libraryfolders.vdf", "\"libraryfolders\"\n{\n\t\"0\"\n");
    const SearchResult found = FindGamePrefixes(home.Places());
    ASSERT_EQ(found.prefixes.size(), 1u);
    EXPECT_THAT(found.notes, ElementsAre(HasSubstr("libraryfolders.vdf, line")));
}

}  // namespace
}  // namespace galemend::test
