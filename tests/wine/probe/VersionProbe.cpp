// Reads executables' product versions the way the program does: GetFileVersionString over
// the real Win32 probe. One line per path given: the path, a tab, the version, in UTF-8.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>

#include "platform/SystemFacts.h"
#include "platform/win32/Win32Support.h"
#include "platform/win32/Win32SystemProbe.h"

int main() {
    // The wide arguments, so that a path outside the ANSI code page arrives whole.
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const galemend::Win32SystemProbe probe;
    for (int i = 1; i < count; ++i) {
        const std::string path = galemend::Utf8FromWide(arguments[i]);
        std::printf("%s\t%s\n", path.c_str(), galemend::GetFileVersionString(probe, path).c_str());
    }
    ::LocalFree(arguments);
    return 0;
}
