#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/SystemProbe.h"
#include "startup/Editions.h"
#include "text/CodePage.h"

namespace galemend {

// What the Linux program was asked to do.
struct NativeOptions {
    bool list = false;               // --list: every prefix that holds the game
    std::string prefix;              // --prefix DIR: the Wine or Proton prefix
    std::string appId;               // --appid N: the Proton prefix of Steam app N
    std::optional<Edition> edition;  // --edition corv|sundering, when both are installed
    bool silent = false;             // /s (also -s, /silent, -silent in any case)
    bool dryRun = false;             // --dry-run: convert in memory, write nothing
    bool diff = false;               // --diff: with --dry-run, show each change
    bool help = false;               // --help
    // Without /s or --dry-run, or with --exe, galemend3.exe runs in the prefix under the
    // prefix's own runner (the window, or --exe /s for comparison) with these arguments.
    bool window = false;
    std::vector<std::string> exeArguments;
};

// A command line the program does not understand; what() is one line saying why.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The arguments after the program's name. Throws UsageError.
NativeOptions ParseNativeArguments(const std::vector<std::string>& arguments);

// The text --help prints.
std::string NativeUsage();

// The program's own exit statuses, beside galemend's 0 to 5.
enum class NativeStatus : unsigned {
    Usage = 2,       // a command line it does not understand
    BadPrefix = 10,  // no prefix found or chosen, or its registry files cannot be read
    NoRunner = 11,   // the window needs the prefix's runner, which is missing
    InUse = 12,      // Wine runs in the prefix: the game may hold a map open
};

// The silent run of galemend on the ports, as galemend3.exe /s makes it in the prefix:
// start-up, the search and the conversion. With an edition, it is chosen as its button
// would choose it when both families are installed. Messages go to err, one line each;
// then one line per map found and per folder not searched to out, and a summary line.
// Returns galemend's exit status.
// Each converted map's path, and the code page of its content, is handed to converted right
// after the map's line.
using ConvertedMap =
    std::function<void(const std::string& map, bool diagnosticMode, const CodePage& codePage)>;
unsigned RunSilently(SystemProbe& probe, FileSystem& fs, std::optional<Edition> edition,
                     std::ostream& out, std::ostream& err, const ConvertedMap& converted = {});

}  // namespace galemend
