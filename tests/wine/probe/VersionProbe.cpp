// Reads executables' product versions the way the program does: GetFileVersionString over
// the real Win32 probe. One line per path given: the path, a tab, the version.
#include <cstdio>

#include "platform/SystemFacts.h"
#include "platform/win32/Win32SystemProbe.h"

int main(int argc, char** argv) {
    const galemend::Win32SystemProbe probe;
    for (int i = 1; i < argc; ++i) {
        std::printf("%s\t%s\n", argv[i], galemend::GetFileVersionString(probe, argv[i]).c_str());
    }
    return 0;
}
