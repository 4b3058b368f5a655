#pragma once

namespace galemend {

// How the process ends. The window's own ends (exit, closing it) and a silent run that
// converted every old map end with Normal.
enum class ExitStatus : unsigned {
    Normal = 0,
    RuntimeError = 1,      // an unexpected error was reported and ended the program
    InvalidArgument = 2,   // the command line held something other than a silent switch
    VersionMismatch = 3,   // the installed game is not the version the templates are for
    MapsNotConverted = 4,  // a silent run could not convert some map, or could not start
    NoEditionChosen = 5,   // a silent run with both editions installed and none chosen
};

}  // namespace galemend
