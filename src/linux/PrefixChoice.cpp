#include "linux/PrefixChoice.h"

#include <algorithm>
#include <ostream>
#include <sstream>

namespace galemend {

namespace {

constexpr const char* kGame = "Corvane Expanse";

// Lines of text, each said as the program's own.
void Say(std::ostream& err, const std::string& lines) {
    std::istringstream text(lines);
    for (std::string line; std::getline(text, line);) {
        err << "galemend: " << line << '\n';
    }
}

void SayAll(std::ostream& err, const std::vector<GamePrefix>& prefixes) {
    for (const GamePrefix& prefix : prefixes) {
        Say(err, ListEntry(prefix));
    }
}

void NoneFound(const SearchPlaces& places, std::ostream& err) {
    Say(err, std::string("found no prefix that holds ") + kGame + ". Looked in:\n" +
                 PlacesLookedIn(places) +
                 "A prefix counts once galemend3.exe would find the game's installation in "
                 "its registry: install the game there and start it once, or name the prefix "
                 "with --prefix DIR.");
}

}  // namespace

unsigned ListPrefixes(const SearchResult& search, const SearchPlaces& places, std::ostream& out,
                      std::ostream& err) {
    for (const std::string& note : search.notes) {
        Say(err, note);
    }
    if (search.prefixes.empty()) {
        NoneFound(places, err);
        return static_cast<unsigned>(NativeStatus::BadPrefix);
    }
    for (const GamePrefix& prefix : search.prefixes) {
        out << ListEntry(prefix);
    }
    return 0;
}

std::optional<GamePrefix> ChoosePrefix(const NativeOptions& options, const SearchResult& search,
                                       const SearchPlaces& places, std::ostream& err) {
    const std::vector<GamePrefix>& found = search.prefixes;
    if (!options.prefix.empty()) {
        std::optional<GamePrefix> named = DescribePrefix(options.prefix, "Wine");
        if (named) {
            const std::string canonical = CanonicalPath(named->path);
            const auto same = std::find_if(found.begin(), found.end(), [&](const GamePrefix& p) {
                return CanonicalPath(p.path) == canonical;
            });
            if (same != found.end()) {
                return *same;
            }
        } else if (options.window) {
            // A native run names the problem itself, more precisely.
            Say(err, options.prefix +
                         " is no Wine prefix galemend can use (it needs drive_c and "
                         "system.reg; a Steam compatdata folder needs pfx.lock)");
        }
        return named;
    }
    if (!options.appId.empty()) {
        std::vector<GamePrefix> matching;
        std::copy_if(found.begin(), found.end(), std::back_inserter(matching),
                     [&](const GamePrefix& p) {
                         return p.kind == PrefixKind::Proton && p.appId == options.appId;
                     });
        if (matching.size() == 1) {
            return matching.front();
        }
        if (matching.empty()) {
            Say(err, "no complete Proton prefix of Steam app " + options.appId + " holds " + kGame +
                         ".");
            if (!found.empty()) {
                Say(err, "These do:");
                SayAll(err, found);
            }
        } else {
            Say(err, "Steam app " + options.appId +
                         " has a prefix in several libraries; choose one with --prefix DIR:");
            SayAll(err, matching);
        }
        return std::nullopt;
    }
    for (const std::string& note : search.notes) {
        Say(err, note);
    }
    if (found.size() == 1) {
        return found.front();
    }
    if (found.empty()) {
        NoneFound(places, err);
    } else {
        Say(err, std::string("several prefixes hold ") + kGame +
                     "; choose one with --prefix DIR or --appid N:");
        SayAll(err, found);
    }
    return std::nullopt;
}

}  // namespace galemend
