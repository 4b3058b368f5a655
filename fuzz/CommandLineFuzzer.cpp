// The whole start-up on any command-line text, with the program's own silent run behind it,
// on a player's machine in a private folder: the base game installed, an old map in the
// user folder and one in a subfolder. A command line of silent switches (/s, -s, /silent,
// -silent, in any letter case) searches, converts both maps and ends with status 0; any
// other non-empty line is refused with one message naming its first other token, before
// anything is searched or converted; an empty line leaves the window waiting.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/PosixFileSystem.h"
#include "support/FakeSystemProbe.h"
#include "support/ScopedCurrentFolder.h"
#include "support/ScopedTempDir.h"
#include "text/Text.h"
#include "ui/Form1.h"

namespace {

using namespace galemend;

constexpr const char* kGame = "C:\\Games\\Corv";
constexpr const char* kOldMap = "X\r\nformat 4\r\nname Bob\r\n";
constexpr const char* kConvertedMap = "X\r\nformat 5\r\nname Bob\r\n";
// The base game's user folder below the probe's local application data, and its two maps.
const std::string kUserFolder = "Users/Player/AppData/Local/Halberd Games/Corvane Expanse/";
const std::vector<std::string> kMaps{kUserFolder + "a", kUserFolder + "sub/b"};

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// Drive C: is a private folder; the program and its data files live in C:\app, which each
// run makes its current folder only while it runs, so libFuzzer's own paths keep theirs.
struct Machine {
    Machine() {
        dir.MakeFolder("Windows");
        dir.MakeFolder("program files (x86)");
        dir.MakeFolder("Games/Corv");
        dir.Write("app/targetcorvver.txt", "1.0.0.0\r\nx\r\nx\r\nx\r\n\r\nx\r\n\r\n");
        dir.Write("app/original corv galaxies.txt", "home.galaxy\r\n");
        dir.Write("app/cnewstruct0.txt", "N\r\nformat 5\r\n");
        dir.Write("app/coldstruct4.txt", "T\r\nf$1\r\nformat\r\n");
        dir.Write("app/cnewstruct4.txt", "T\r\nf$1\r\nformat 5\r\n");
    }

    // Every map old again, with no copies beside it, after a run that converted them.
    void Reset() {
        if (!mapsChanged) {
            return;
        }
        mapsChanged = false;
        for (const auto& map : kMaps) {
            dir.Write(map + ".galaxy", kOldMap);
            std::filesystem::remove(dir.Host() / (map + ".galold"));
        }
    }
    // Every map either converted with its old copy beside it, or as it was with none.
    bool MapsAre(bool converted) const {
        for (const auto& map : kMaps) {
            if (dir.Read(map + ".galaxy") != (converted ? kConvertedMap : kOldMap) ||
                dir.Exists(map + ".galold") != converted) {
                return false;
            }
        }
        return true;
    }

    test::FakeSystemProbe Probe(std::string commandLine) const {
        test::FakeSystemProbe probe;
        probe.version = {true, 2, 5, 1};
        probe.registry
            [R"(HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Brightforge\Vantorhub\corv\Path)"] = kGame;
        probe.versionBlocks[std::string(kGame) + "\\Corvane Expanse.exe"] =
            test::FixedFileInfo({1, 0, 0, 0});
        probe.executableFolder = "C:\\app";
        probe.commandLine = std::move(commandLine);
        return probe;
    }

    test::ScopedTempDir dir;
    PosixFileSystem fs{{{'C', dir.Host().string()}}};
    bool mapsChanged = true;  // the maps are not written yet
};

// The README's rule, on its own: tokens are separated by single blanks; an empty line runs
// the window; the first token that is no silent switch is refused.
struct Expected {
    bool silent = false;
    std::optional<std::string> refused;
};

Expected Classify(std::string_view commandLine) {
    Expected expected;
    if (commandLine.empty()) {
        return expected;
    }
    size_t start = 0;
    while (true) {
        const size_t blank = commandLine.find(' ', start);
        const std::string_view token = commandLine.substr(start, blank - start);
        const std::string lower = LowerCase(token);
        if (lower != "/s" && lower != "-s" && lower != "/silent" && lower != "-silent") {
            expected.refused = std::string(token);
            return expected;
        }
        if (blank == std::string_view::npos) {
            expected.silent = true;
            return expected;
        }
        start = blank + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Machine machine;
    const std::string commandLine(reinterpret_cast<const char*>(data), size);
    const Expected expected = Classify(commandLine);
    machine.Reset();

    test::FakeSystemProbe probe = machine.Probe(commandLine);
    test::FakeHost host;
    std::optional<unsigned> exitStatus;
    {
        const test::ScopedCurrentFolder current(machine.dir.Host() / "app");
        Form1 window{probe, host, machine.fs};
        try {
            LoadForm(window);
        } catch (const test::ProcessTerminated& end) {
            exitStatus = end.exitStatus;
        }
        if (!exitStatus) {
            // The window waits with the search offered and nothing to convert yet.
            Require(!expected.silent && !expected.refused && window.controls.Command1.Enabled() &&
                    !window.controls.Command2.Enabled() && !window.controls.Label19.Visible());
        }
    }
    // The search walks into the subfolder, which lets the window handle its events; only the
    // silent run's conversion writes the maps and their old copies.
    const bool searched = host.pendingEventRounds > 0;
    if (expected.silent) {
        machine.mapsChanged = true;
        Require(exitStatus == static_cast<unsigned>(ExitStatus::Normal) && host.messages.empty() &&
                searched && machine.MapsAre(true));
    } else {
        Require(!searched && machine.MapsAre(false));
    }
    if (expected.refused) {
        Require(exitStatus == static_cast<unsigned>(ExitStatus::InvalidArgument) &&
                host.messages ==
                    std::vector<std::string>{"Invalid argument: " + *expected.refused});
    } else if (!expected.silent) {
        Require(!exitStatus && host.messages.empty());
    }
    return 0;
}
