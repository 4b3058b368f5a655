#include "support/HostFileSystem.h"

#ifdef _WIN32
#include "platform/win32/Win32FileSystem.h"
#else
#include "platform/posix/PosixFileSystem.h"
#endif

namespace galemend::test {

std::unique_ptr<FileSystem> MakeHostFileSystem() {
#ifdef _WIN32
    return std::make_unique<Win32FileSystem>();
#else
    return std::make_unique<PosixFileSystem>();
#endif
}

}  // namespace galemend::test
