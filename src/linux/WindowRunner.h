#pragma once

#include <string>
#include <vector>

#include "linux/RunnerCommand.h"
#include "linux/prefixes/GamePrefix.h"

namespace galemend {

struct RunnerPlan {
    RunnerCommand command;              // what runs, or what would have run
    std::vector<std::string> problems;  // not empty: nothing runs; one line each saying why and
                                        // what to install or do
    std::string announcement;           // with no problems, the line said before it runs
};

// How galemend3.exe, in programFolder beside its data files, runs with these arguments in the
// chosen prefix, by the prefix's own runner and never another Wine: a Proton prefix through
// protontricks-launch (1.12 or later, on PATH or the Flatpak), an umu prefix through umu-run
// with the Proton that last ran it, a Wine prefix with $WINE or wine. found is every prefix the
// search found: protontricks before 1.14 cannot be told which of two prefixes of one app to
// use. The programs on host.path are asked for their versions; nothing is started for good.
RunnerPlan PlanWindowRun(const GamePrefix& prefix, const std::vector<GamePrefix>& found,
                         const std::string& programFolder,
                         const std::vector<std::string>& arguments, const RunnerHost& host);

}  // namespace galemend
