// Prints what the probes answer in a process of its own, so that tests under Wine can start
// it with a Windows version of their choosing and with a raw command line.
// "terminate N" as the arguments ends it through the host with exit status N instead.
#include <cstdio>
#include <string>

#include "platform/SystemFacts.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemProbe.h"

int main() {
    using namespace galemend;
    Win32SystemProbe probe;
    const Win32FileSystem fileSystem;
    const std::string arguments = probe.CommandLine();
    if (arguments.rfind("terminate ", 0) == 0) {
        std::fflush(stdout);
        Win32Host().Terminate(static_cast<unsigned>(std::stoul(arguments.substr(10))));
    }
    const std::string systemDrive = probe.EnvironmentVariable("windir").substr(0, 2);
    std::printf("short=[%s] vista=%d win7=%d x64=%d args=[%s]\n",
                GetWindowsShortName(probe).c_str(), IsWindowsVista(probe), IsWindows7(probe),
                Is64BitWindows(probe, fileSystem, systemDrive), arguments.c_str());
    return 0;
}
