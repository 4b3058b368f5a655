#pragma once

#include <iosfwd>
#include <string>

#include "linux/NativeRun.h"

namespace galemend {

// Why the folder is no prefix galemend can work in (not there, no dosdevices/, no registry
// files), or nothing.
std::string PrefixProblem(const std::string& prefix);

// Whether a Wine server runs for the prefix, that is the game or another Windows program may
// be running there and hold a map open: its socket, where upstream Wine
// (/tmp/.wine-<uid>/server-<device>-<inode>) or Debian's (below $TMPDIR, in the folder the
// prefix's "wineserver" file names) keeps it, takes a connection.
bool PrefixInUse(const std::string& prefix);

// The native silent run (or dry run) in the prefix named by the options, from the process's
// current folder, as galemend3.exe beside this program would make it under Wine there. Bad
// input gets one line on err naming the file and the problem. Returns the exit status.
unsigned RunInPrefix(const NativeOptions& options, const std::string& programFolder,
                     std::ostream& out, std::ostream& err);

}  // namespace galemend
