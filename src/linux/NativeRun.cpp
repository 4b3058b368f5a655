#include "linux/NativeRun.h"

#include <algorithm>
#include <ostream>

#include "text/Text.h"
#include "ui/Form1.h"

namespace galemend {

namespace {

// Thrown by the host in place of ending the process, so that the report is still printed.
struct Ended {
    unsigned status;
};

// A message box's text on one line of a terminal.
std::string OneLine(std::string text) {
    for (const std::string_view lineEnd : {"\r\n\r\n", "\r\n", "\n"}) {
        for (size_t at; (at = text.find(lineEnd)) != std::string::npos;) {
            text.replace(at, lineEnd.size(), " ");
        }
    }
    return text;
}

// The desktop of a run without a window: messages go to the terminal.
class ConsoleHost : public Host {
  public:
    explicit ConsoleHost(std::ostream& err) : err_(err) {}
    void ShowMessage(const std::string& text) override {
        err_ << "galemend: " << OneLine(text) << '\n';
    }
    void ProcessPendingEvents() override {}
    void RepaintWindows() override {}
    [[noreturn]] void Terminate(unsigned exitStatus) override { throw Ended{exitStatus}; }

  private:
    std::ostream& err_;
};

void Report(const Form1& form, const std::optional<ConversionResult>& result, std::ostream& out,
            const ConvertedMap& convertedMap) {
    size_t converted = 0, leftAlone = 0, notConverted = 0;
    if (result) {
        for (const MapReport& map : result->maps) {
            switch (map.outcome.kind) {
                case MapOutcome::Kind::Converted:
                    out << "converted      " << map.path << '\n';
                    ++converted;
                    if (convertedMap) {
                        convertedMap(map.path, form.installation.diagnosticMode,
                                     form.templates.codePage);
                    }
                    break;
                case MapOutcome::Kind::Current:
                case MapOutcome::Kind::GameMap:
                    out << "left alone     " << map.path << " (" << map.outcome.reason << ")\n";
                    ++leftAlone;
                    break;
                case MapOutcome::Kind::NotConverted:
                    out << kNotConvertedMark << map.path << " - " << map.outcome.reason << '\n';
                    ++notConverted;
                    break;
            }
        }
        if (result->runError) {
            out << kNotConvertedMark << "no map was touched - " << *result->runError << '\n';
        }
    }
    for (const NotSearchedFolder& folder : form.search.notSearched) {
        out << "NOT SEARCHED: " << folder.path << " - " << folder.reason << '\n';
    }
    const size_t found = form.search.galaxyList.empty() ? 0 : form.search.galaxyList.size() - 1;
    out << "Maps found: " << found << ", converted: " << converted << ", left alone: " << leftAlone
        << ", not converted: " << notConverted
        << "; folders not searched: " << form.search.notSearched.size() << '\n';
}

}  // namespace

std::string NativeUsage() {
    return R"(Usage: galemend --list
       galemend [--prefix DIR | --appid N] [--edition corv|sundering] [--dry-run [--diff]] /s
       galemend [--prefix DIR | --appid N] [--exe] [galemend3.exe's arguments]

Converts the old galaxy maps of Corvane Expanse inside the Wine or Proton prefix that holds
the game, as galemend3.exe /s does when run there, without running Wine. Start it from the
folder that holds galemend's data files (targetcorvver.txt, the templates).

  --list              every prefix on this machine that holds the game: its kind (Proton,
                      umu or Wine), its folder and the game's editions installed there
  --prefix DIR        the prefix to work in (the folder with drive_c and system.reg, or the
                      compatdata folder that holds it as pfx)
  --appid N           the Proton prefix of Steam app N
  /s                  search and convert (also -s, /silent, -silent)
  --edition E         corv or sundering: the family to convert when both are installed
  --dry-run           convert in memory and say what would happen; nothing is written
  --diff              with --dry-run, also show each change as a unified diff
  --help              this text

Without --prefix or --appid, galemend works in the only prefix that holds the game; when
there are several, it lists them and stops.

Without /s or --dry-run, galemend opens the window: galemend3.exe runs in the prefix with
the prefix's own runner, never another Wine: protontricks-launch (1.12 or later, installed or
the Flatpak) for Steam's Proton prefixes, umu-run with the prefix's Proton for umu's, $WINE
or wine for plain Wine prefixes. --exe /s makes a silent run that way too.

One line per map: converted, left alone (and why), NOT CONVERTED: (and why); one line per
folder that could not be searched (NOT SEARCHED:), then a summary.

Exit status: 0 every old map converted (or none found); 1 an unexpected error; 2 a command
line it does not understand; 3 the installed game is not the version the templates are for;
4 some map not converted or some folder not searched; 5 both families installed and no
--edition; 10 no prefix that holds the game was found or chosen, or the prefix's registry
cannot be read; 11 the prefix's runner for the window is missing; 12 Wine is running in the
prefix (the game may hold a map open): close it first. A window run ends with galemend3.exe's
own status.
)";
}

NativeOptions ParseNativeArguments(const std::vector<std::string>& arguments) {
    NativeOptions options;
    const auto isSilentSwitch = [](const std::string& argument) {
        const std::string lower = LowerCase(argument);
        return lower == "/s" || lower == "-s" || lower == "/silent" || lower == "-silent";
    };
    const bool exe = std::find(arguments.begin(), arguments.end(), "--exe") != arguments.end();
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) {
                throw UsageError(argument + " needs a value");
            }
            return arguments[++i];
        };
        if (argument == "--exe") {
        } else if (argument == "--list") {
            options.list = true;
        } else if (argument == "--prefix") {
            options.prefix = value();
        } else if (argument == "--appid") {
            options.appId = value();
            if (options.appId.empty() ||
                options.appId.find_first_not_of("0123456789") != std::string::npos) {
                throw UsageError("--appid takes a Steam app id (digits), not " + options.appId);
            }
        } else if (argument == "--edition") {
            const std::string& edition = value();
            if (edition == "corv") {
                options.edition = Edition::BaseOrConcord;
            } else if (edition == "sundering") {
                options.edition = Edition::Sundering;
            } else {
                throw UsageError("--edition takes corv or sundering, not " + edition);
            }
        } else if (argument == "--dry-run") {
            options.dryRun = true;
        } else if (argument == "--diff") {
            options.diff = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (isSilentSwitch(argument) && !exe) {
            options.silent = true;
        } else {
            // galemend3.exe's own arguments, for the window or an --exe run.
            options.exeArguments.push_back(argument);
        }
    }
    if (options.help) {
        return options;
    }
    if (!options.prefix.empty() && !options.appId.empty()) {
        throw UsageError("--prefix and --appid both choose the prefix: give one of them");
    }
    if (options.list) {
        if (arguments.size() != 1) {
            throw UsageError("--list takes no other arguments");
        }
        return options;
    }
    options.window = exe || (!options.silent && !options.dryRun);
    if (options.window) {
        if (options.edition || options.dryRun || options.diff) {
            throw UsageError(
                "--edition, --dry-run and --diff belong to the native run (/s), "
                "not to galemend3.exe's");
        }
        return options;
    }
    if (!options.exeArguments.empty()) {
        throw UsageError("unknown argument: " + options.exeArguments.front());
    }
    if (options.diff && !options.dryRun) {
        throw UsageError("--diff goes with --dry-run");
    }
    options.silent = true;
    return options;
}

unsigned RunSilently(SystemProbe& probe, FileSystem& fs, std::optional<Edition> edition,
                     std::ostream& out, std::ostream& err, const ConvertedMap& converted) {
    ConsoleHost host(err);
    Form1 form(probe, host, fs);
    std::optional<ConversionResult> result;
    unsigned status = static_cast<unsigned>(ExitStatus::Normal);
    try {
        RunReportingErrors(host, [&] {
            ShowCurrentFolder(form);
            Form_Load(form.Installation(), [&] {
                if (edition && form.installation.EditionPending()) {
                    *edition == Edition::Sundering ? Command7_Click(form) : Command6_Click(form);
                }
                return SilentRun(form, &result);
            });
        });
    } catch (const Ended& ended) {
        status = ended.status;
    }
    Report(form, result, out, converted);
    return status;
}

}  // namespace galemend
